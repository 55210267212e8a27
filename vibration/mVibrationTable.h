#pragma once
// The reference table of ground vibration at 25 feet from construction
// equipment: peak particle velocity in in/s and vibration level in VdB, as
// published in federal transit guidance (2018). The values are published
// constants rather than user data, so they are compiled in: no missing or
// damaged file beside the program can switch the check off, and the batch
// tool and the tests need no program directory. Which piece of a case uses
// which row is the user's to edit (cVibrationMapping).

#include <cstddef>
#include <string>

namespace mVibrationTable {

struct Row {
  const char* name;  // as shown and saved; unique, no commas
  double ppvRef;     // in/s at 25 ft
  double lvRef;      // VdB at 25 ft
};

std::size_t rowCount();
// Row i, 0-based, in the table's order.
const Row& row(std::size_t i);
// The row index of a name (exact), or -1.
int find(const std::string& name);

}  // namespace mVibrationTable
