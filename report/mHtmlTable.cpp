#include "report/mHtmlTable.h"

namespace mHtmlTable {

std::string escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '\r': break;
      case '\n': out += "<br>"; break;
      default: out += c;
    }
  }
  return out;
}

std::string table(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows) {
  std::string out = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
  if (!header.empty()) {
    out += "<thead><tr>";
    for (const std::string& h : header) out += "<th>" + escaped(h) + "</th>";
    out += "</tr></thead>\n";
  }
  out += "<tbody>\n";
  for (const auto& row : rows) {
    out += "<tr>";
    for (const std::string& cell : row) out += "<td>" + escaped(cell) + "</td>";
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n";
  return out;
}

std::vector<std::vector<std::string>> cellsOf(const std::string& tabText) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string cell;
  bool open = false;  // a row has begun
  for (char c : tabText) {
    if (c == '\r') continue;
    if (c == '\t') {
      row.push_back(std::move(cell));
      cell.clear();
      open = true;
    } else if (c == '\n') {
      row.push_back(std::move(cell));
      cell.clear();
      rows.push_back(std::move(row));
      row.clear();
      open = false;
    } else {
      cell += c;
      open = true;
    }
  }
  if (open) {
    row.push_back(std::move(cell));
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace mHtmlTable
