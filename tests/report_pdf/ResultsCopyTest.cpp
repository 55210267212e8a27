// Edit > Copy on the results sheet: tab-separated text for a spreadsheet and,
// beside it, an HTML table for a word processor.

#include <string>

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "tests/gui/GuiTestSupport.h"

namespace {

TEST(ResultsCopy, CopyOnTheResultsSheetPutsTextAndAnHtmlTableOnTheClipboard) {
  cStartedProgram started;
  ASSERT_TRUE(started.start());
  started.dialog.chooseFile(std::string(VORN_SOURCE_DIR) + "/examples/Night Paving.cas");
  started.choose("mFile_1");
  QApplication::clipboard()->clear();

  cSheetDriver results(started.window().results().grid());
  const std::string total = results.text(2, 1);  // the Total's Lmax
  ASSERT_FALSE(total.empty());
  results.click(1, 1);
  results.shiftClick(3, 2);
  ASSERT_TRUE(started.window().results().grid()->table()->hasFocus());
  started.choose("mEdit_0");

  const QMimeData* mime = QApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  ASSERT_TRUE(mime->hasText());
  ASSERT_TRUE(mime->hasHtml());
  const QString text = mime->text();
  EXPECT_TRUE(text.startsWith(QStringLiteral("Total\t") + QString::fromStdString(total) + QLatin1Char('\t')))
      << text.toStdString();
  EXPECT_EQ(text.count(QLatin1Char('\n')), 2);
  const QString html = mime->html();
  EXPECT_TRUE(html.contains(QStringLiteral("<table")));
  EXPECT_TRUE(html.contains(QStringLiteral("<th>Equipment</th>"))) << html.toStdString();
  EXPECT_TRUE(html.contains(QStringLiteral("<th>Calculated (dBA) Lmax*</th>"))) << html.toStdString();
  EXPECT_TRUE(html.contains(QStringLiteral("<td>Total</td><td>") + QString::fromStdString(total) + QStringLiteral("</td>")));
  EXPECT_EQ(html.count(QStringLiteral("<tr>")), 3);
}

TEST(ResultsCopy, WithoutASelectionEveryFilledRowIsCopied) {
  cStartedProgram started;
  ASSERT_TRUE(started.start());
  started.dialog.chooseFile(std::string(VORN_SOURCE_DIR) + "/examples/Bridge Demolition.cas");
  started.choose("mFile_1");
  ASSERT_EQ(started.study().NoiseMetric, 1);  // the case is saved with Leq
  cResults& sheet = started.window().results();
  sheet.grid()->clearSelection();
  int filled = 0;
  for (int row = 1; row <= sheet.grid()->maxRows(); ++row)
    if (!sheet.grid()->text(1, row).empty()) ++filled;
  ASSERT_TRUE(sheet.copyTable());
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_EQ(mime->html().count(QStringLiteral("<tr>")), filled + 1);
  EXPECT_EQ(mime->text().count(QLatin1Char('\n')), filled);
  EXPECT_TRUE(mime->html().contains(QStringLiteral("<th>Noise Limit Exceedance (dBA) Night Leq</th>")))
      << mime->html().toStdString();
}

}  // namespace
