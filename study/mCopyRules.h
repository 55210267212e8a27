#pragma once
// Which columns of the input sheets take data copied from which: a paste
// between columns of different kinds would store a description as a level or
// a level as a check box. The sheets ask before pasting and show the message
// a refusal carries.

#include <cstdint>
#include <string>

namespace mCopyRules {

enum class Verdict { Allow, Refuse, RefuseWithMessage };

struct Decision {
  Verdict verdict = Verdict::Refuse;
  std::string message;  // set for RefuseWithMessage only
  bool allowed() const { return verdict == Verdict::Allow; }
  bool operator==(const Decision&) const = default;
};

// Equipment sheet: a column takes only its own kind (1 Active, 2 Description,
// 3 Impact Device, 9 Distance, 10 Shielding, each to itself); the usage and
// Lmax columns 4 to 8 never give. A refused paste into the protected columns
// 3 to 8 says so; elsewhere it is refused silently.
Decision equipment(std::int32_t sourceCol, std::int32_t targetCol);

// Receptor sheet: description to description, land use to land use, and any
// baseline (3, 4, 5) to any baseline; anything else is refused with a message.
Decision receptor(std::int32_t sourceCol, std::int32_t targetCol);

}  // namespace mCopyRules
