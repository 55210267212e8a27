#pragma once
// The sheet layout the criteria and limits dialogs share: three land uses by
// day, evening and night for impact and non-impact equipment, locked cells in
// a small centred face, and one cell's tip.

#include <string>

class cSheetGrid;

namespace mCriteriaSheet {

inline constexpr int rows = 3;
inline constexpr int cols = 6;

// Lays the sheet out; accessibleName is what a screen reader calls it.
void layOut(cSheetGrid& sheet, const std::string& accessibleName);

// The tip of a cell: the equation's sentence, whose CR LF line ends are
// shown as line breaks.
void setTip(cSheetGrid& sheet, int col, int row, const std::string& equationText);

}  // namespace mCriteriaSheet
