#include "study/mEditMenu.h"

namespace mEditMenu {

namespace {

constexpr std::int8_t on = 1;
constexpr std::int8_t off = 0;
constexpr std::int8_t keep = -1;

// Columns: Copy, Paste, Delete, Undo.
constexpr std::array<std::array<std::int8_t, itemCount>, 7> kTable{{
    {keep, on, keep, keep},   // 1 after a paste
    {keep, on, off, keep},    // 2 after a copy
    {keep, off, keep, keep},  // 3 after an edit
    {keep, off, off, keep},   // 4
    {on, keep, on, keep},     // 5 whole rows selected
    {on, keep, off, keep},    // 6 a cell or block selected
    {off, off, off, off},     // 7 new case, opened case, startup
}};

}  // namespace

std::array<std::int8_t, itemCount> rule(int state) {
  if (state < 1 || state > static_cast<int>(kTable.size())) return {keep, keep, keep, keep};
  return kTable[static_cast<std::size_t>(state - 1)];
}

Enabled apply(const Enabled& current, int state) {
  const auto r = rule(state);
  Enabled result = current;
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (r[i] != keep) result[i] = r[i] == on;
  }
  return result;
}

}  // namespace mEditMenu
