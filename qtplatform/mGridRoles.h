#pragma once
// Where the grid keeps each cell's state inside its QTableWidgetItem.

#include <Qt>

namespace mGridRoles {

inline constexpr int Kind = Qt::UserRole + 1;       // GridCellKind as int
inline constexpr int Locked = Qt::UserRole + 2;     // bool
inline constexpr int Number = Qt::UserRole + 3;     // double; absent when empty
inline constexpr int Checked = Qt::UserRole + 4;    // bool
inline constexpr int ListItems = Qt::UserRole + 5;  // QStringList
inline constexpr int ListIndex = Qt::UserRole + 6;  // int, -1 for none
inline constexpr int Decimals = Qt::UserRole + 7;   // int; absent for the kind's default
inline constexpr int ListOnly = Qt::UserRole + 8;   // bool: the user may enter only the list's items
inline constexpr int ListNarrows = Qt::UserRole + 9;  // bool: typing narrows the list to matching items

}  // namespace mGridRoles
