#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/mHtmlTable.h"

namespace {

TEST(HtmlTable, EscapesWhatHtmlReservesAndKeepsOtherBytes) {
  EXPECT_EQ(mHtmlTable::escaped("Pump 6\" <new> & old"), "Pump 6&quot; &lt;new&gt; &amp; old");
  EXPECT_EQ(mHtmlTable::escaped("caf\xE9\r\nbar"), "caf\xE9<br>bar");
}

TEST(HtmlTable, HeaderThenOneRowPerLine) {
  const std::string html = mHtmlTable::table({"Equipment", "Lmax"}, {{"Total", "83.0"}, {"Dozer", "N/A"}});
  EXPECT_EQ(html,
            "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n"
            "<thead><tr><th>Equipment</th><th>Lmax</th></tr></thead>\n"
            "<tbody>\n"
            "<tr><td>Total</td><td>83.0</td></tr>\n"
            "<tr><td>Dozer</td><td>N/A</td></tr>\n"
            "</tbody>\n</table>\n");
  EXPECT_EQ(mHtmlTable::table({}, {}).find("<thead>"), std::string::npos);
}

TEST(HtmlTable, CellsOfTabSeparatedLines) {
  using Rows = std::vector<std::vector<std::string>>;
  EXPECT_EQ(mHtmlTable::cellsOf("a\tb\n\tc\n"), (Rows{{"a", "b"}, {"", "c"}}));
  EXPECT_EQ(mHtmlTable::cellsOf("a\t\r\nlast"), (Rows{{"a", ""}, {"last"}}));
  EXPECT_EQ(mHtmlTable::cellsOf(""), Rows{});
}

}  // namespace
