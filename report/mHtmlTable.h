#pragma once
// A block of cells as an HTML table, for the clipboard: a word processor
// pastes it as a formatted table. Texts stay Windows-1252 bytes; only the
// characters HTML reserves are escaped.

#include <string>
#include <vector>

namespace mHtmlTable {

// "<", ">", "&" and '"' as entities; a line break as <br>.
std::string escaped(const std::string& text);

// One header row (left out when empty) and the rows, each cell as given.
std::string table(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);

// Tab-separated lines (rows ending with a line break) as rows of cells.
std::vector<std::vector<std::string>> cellsOf(const std::string& tabText);

}  // namespace mHtmlTable
