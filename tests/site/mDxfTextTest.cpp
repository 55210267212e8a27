#include <gtest/gtest.h>

#include "site/mDxfText.h"

namespace {

TEST(DxfText, PairsOfCodeAndValueLinesPassAndTheLineAtFaultIsNamed) {
  struct Case {
    const char* what;
    std::string text;
    bool ok;
    const char* problem;
  };
  const std::string line = "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nWALL\n10\n5\n20\n-5\n0\nENDSEC\n0\nEOF\n";
  const std::vector<Case> cases = {
      {"plain", line, true, ""},
      {"CR LF and codes right-aligned as drawing programs write them",
       "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n", true, ""},
      {"anything after EOF is not read", line + "garbage\x01\n", true, ""},
      {"cut short", "0\nSECTION\n2\nENTI\r", false, "the drawing ends before its EOF line"},
      {"EOF inside a section", "0\nSECTION\n2\nENTITIES\n0\nEOF\n", false, "line 6 ends the drawing inside a section"},
      {"a section in a section", "0\nSECTION\n0\nSECTION\n", false, "line 4 opens a section inside another"},
      {"a section closed twice", line.substr(0, line.find("0\nEOF")) + "0\nENDSEC\n0\nEOF\n", false,
       "line 16 closes a section that is not open"},
      {"a negative application code", "-1\nX\n0\nEOF\n", true, ""},
      {"a value where a code belongs", "0\nSECTION\n2\nENTITIES\nLINE\n8\n", false, "line 5 should hold a group code"},
      {"the value SECTION under another code is only text", "0\nSECTION\n1\nSECTION\n0\nENDSEC\n0\nEOF\n", true, ""},
      {"a code beyond the range", "0\nSECTION\n1072\nX\n", false, "line 3 should hold a group code"},
      {"an empty code line", "0\nSECTION\n\nX\n", false, "line 3 should hold a group code"},
      {"a code without its value", "0\nSECTION\n2", false, "the drawing ends before its EOF line"},
      {"NUL bytes", std::string("0\nSECT\0ION\n", 11), false, "it is not a text DXF file"},
      {"binary", std::string("Some Binary DXF\r\n\x1a\0", 19), false,
       "it is a binary DXF file: save the drawing as a text DXF"},
  };
  for (const Case& c : cases) {
    std::string problem;
    EXPECT_EQ(mDxfText::wellFormedText(c.text, problem), c.ok) << c.what;
    EXPECT_EQ(problem, c.problem) << c.what;
  }
}

}  // namespace
