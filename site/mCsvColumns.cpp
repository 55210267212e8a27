#include "site/mCsvColumns.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace {

std::string plainName(std::string name) {
  const auto blank = [](unsigned char c) { return std::isspace(c) || c == '"' || c == '\''; };
  while (!name.empty() && blank(static_cast<unsigned char>(name.back()))) name.pop_back();
  std::size_t from = 0;
  while (from < name.size() && blank(static_cast<unsigned char>(name[from]))) ++from;
  name.erase(0, from);
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  return name;
}

}  // namespace

namespace mCsvColumns {

bool headingNamesOnce(const std::string& line, std::string& problem) {
  // The reader's heading ends at a line end or at a NUL byte.
  const std::string heading = line.substr(0, line.find_first_of(std::string("\r\n\0", 3)));
  // The reader takes a comma, semicolon or tab as the separator: a name
  // repeated under any of them counts.
  for (const char separator : {',', ';', '\t'}) {
    int xs = 0, ys = 0;
    std::size_t start = 0;
    while (start <= heading.size()) {
      std::size_t end = heading.find(separator, start);
      if (end == std::string::npos) end = heading.size();
      const std::string name = plainName(heading.substr(start, end - start));
      if (name == "x" || name == "easting") ++xs;
      if (name == "y" || name == "northing") ++ys;
      start = end + 1;
    }
    if (xs > 1 || ys > 1) {
      problem = std::string("its heading names the ") + (xs > 1 ? "x" : "y") + " column more than once";
      return false;
    }
  }
  return true;
}

bool namedOnce(const std::string& path, std::string& problem) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    problem = "it cannot be read";
    return false;
  }
  std::string heading;
  std::getline(in, heading);
  return headingNamesOnce(heading, problem);
}

}  // namespace mCsvColumns
