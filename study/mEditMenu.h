#pragma once
// The Edit menu's enabled items for each edit-menu state the main window is
// given (1 after a paste, 2 after a copy, 3 after an edit, 4, 5 whole rows
// selected, 6 a cell or block selected, 7 new or opened case). A state names
// only some items; the others keep whatever they were.

#include <array>
#include <cstdint>

namespace mEditMenu {

enum Item : int { Copy = 0, Paste = 1, Delete = 2, Undo = 3 };
inline constexpr int itemCount = 4;

using Enabled = std::array<bool, itemCount>;

// Per item: 1 enable, 0 disable, -1 leave as it is. A state outside 1..7
// leaves every item.
std::array<std::int8_t, itemCount> rule(int state);

// The items' enabled states after the given state is applied.
Enabled apply(const Enabled& current, int state);

}  // namespace mEditMenu
