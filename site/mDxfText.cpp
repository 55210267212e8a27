#include "site/mDxfText.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace {

constexpr int kLowestCode = -5;    // the lowest group code a drawing uses
constexpr int kHighestCode = 1071; // the highest

// A group code line: an integer within the codes' range, blanks around it.
bool isGroupCode(const std::string& text, std::size_t from, std::size_t to) {
  while (from < to && (text[from] == ' ' || text[from] == '\t')) ++from;
  while (to > from && (text[to - 1] == ' ' || text[to - 1] == '\t' || text[to - 1] == '\r')) --to;
  if (from == to) return false;
  bool negative = false;
  if (text[from] == '-' || text[from] == '+') {
    negative = text[from] == '-';
    ++from;
  }
  if (from == to || to - from > 5) return false;
  int value = 0;
  for (std::size_t i = from; i < to; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  return value >= kLowestCode && value <= kHighestCode;
}

}  // namespace

namespace mDxfText {

bool wellFormedText(const std::string& text, std::string& problem) {
  if (text.find("Binary DXF") < 32) {
    problem = "it is a binary DXF file: save the drawing as a text DXF";
    return false;
  }
  if (text.find('\0') != std::string::npos) {
    problem = "it is not a text DXF file";
    return false;
  }
  // Sections open and close with code-0 lines; the drawing ends with a
  // code-0 EOF outside any section (a reader that never meets it reads on).
  std::size_t start = 0;
  long line = 1;
  bool codeZero = false;
  bool inSection = false;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (line % 2 == 1) {
      if (!isGroupCode(text, start, end)) {
        problem = "line " + std::to_string(line) + " should hold a group code";
        return false;
      }
      std::size_t from = start;
      while (from < end && (text[from] == ' ' || text[from] == '\t')) ++from;
      std::size_t to = end;
      while (to > from && (text[to - 1] == '\r' || text[to - 1] == ' ' || text[to - 1] == '\t')) --to;
      codeZero = text.compare(from, to - from, "0") == 0;
    } else if (codeZero) {
      std::size_t to = end;
      while (to > start && (text[to - 1] == '\r' || text[to - 1] == ' ')) --to;
      const std::string value = text.substr(start, to - start);
      if (value == "SECTION" || value == "ENDSEC") {
        if ((value == "SECTION") == inSection) {
          problem = "line " + std::to_string(line) + (inSection ? " opens a section inside another"
                                                                 : " closes a section that is not open");
          return false;
        }
        inSection = value == "SECTION";
      } else if (value == "EOF") {
        if (inSection) {
          problem = "line " + std::to_string(line) + " ends the drawing inside a section";
          return false;
        }
        return true;
      }
    }
    start = end + 1;
    ++line;
  }
  problem = "the drawing ends before its EOF line";
  return false;
}

bool wellFormed(const std::string& path, std::string& problem) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    problem = "it cannot be read";
    return false;
  }
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return wellFormedText(text, problem);
}

}  // namespace mDxfText
