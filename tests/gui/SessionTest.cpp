// One working session as a user has it: a new case typed in, edited, checked,
// undone, copied, pasted, trimmed, switched to meters and Leq, saved, handed
// to vorn-batch, and an example case opened.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "cli/mBatch.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/CrLfLines.h"
#include "tests/support/TempDir.h"

namespace {

std::string tenth(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

// A piece of equipment as the list gives it and where it stands.
struct Piece {
  int entry;          // position in the shipped list
  const char* name;
  double lmaxAt50;    // the Lmax it uses: actual, or spec when actual is N/A
  double usage;       // percent
  const char* distance;
  const char* shielding;
};

const Piece kPieces[] = {
    {0, "Air Compressor", 77.6, 40, "100", nullptr},
    {4, "Backhoe Loader", 77.4, 40, "200", "5"},
    {5, "Bar Bender", 80.0, 20, "50", nullptr},
    {1, "Articulated Dump Truck", 80.9, 40, "400", nullptr},
};

double lmaxOf(const Piece& p) {
  const double shielding = p.shielding ? std::stod(p.shielding) : 0.0;
  return p.lmaxAt50 - 20.0 * std::log10(std::stod(p.distance) / 50.0) - shielding;
}
double l10Of(const Piece& p) { return lmaxOf(p) + 10.0 * std::log10(p.usage / 100.0) + 3.0; }

TEST(Session, AUserBuildsChecksEditsSavesAndOpensCases) {
  cStartedProgram started;
  ASSERT_TRUE(started.start());
  frmMain& w = started.window();
  cStudy& study = started.study();
  cSheetDriver recep(w.receptors().grid());
  cSheetDriver equip(w.equipmentSheet().grid());
  cSheetGrid& results = *w.results().grid();

  // Two receptors.
  recep.type(1, 1, "School");
  recep.choose(2, 1, 1);
  recep.type(3, 1, "60");
  recep.type(4, 1, "55");
  recep.type(5, 1, "50");
  recep.type(1, 2, "Houses");
  recep.choose(2, 2, 0);
  recep.type(3, 2, "52");
  recep.type(4, 2, "48");
  recep.type(5, 2, "44");
  ASSERT_EQ(study.colReceptors.size(), 2u);
  EXPECT_EQ(recep.text(2, 1), "Commercial");
  EXPECT_EQ(study.colReceptors[0]->landUse, 1);

  // Four pieces of equipment from the list, with distances and shielding for receptor 1.
  recep.click(1, 1);
  EXPECT_EQ(w.lblReceptor(0)->text(), "Receptor #1: School");
  int row = 0;
  for (const Piece& p : kPieces) {
    ++row;
    equip.choose(2, row, p.entry);
    EXPECT_EQ(equip.text(2, row), p.name);
    equip.type(9, row, p.distance);
    if (p.shielding) equip.type(10, row, p.shielding);
  }
  ASSERT_EQ(study.colEquipment.size(), 4u);
  EXPECT_EQ(equip.text(4, 1), "40%");
  EXPECT_EQ(equip.text(8, 3), "N/A");
  EXPECT_TRUE(study.caseProcessed);
  EXPECT_FALSE(w.command(3)->isVisible());
  double maxLmax = 0.0, sumL10 = 0.0;
  row = 1;
  for (const Piece& p : kPieces) {
    ++row;
    EXPECT_EQ(results.text(1, row), p.name);
    EXPECT_EQ(results.text(2, row), tenth(lmaxOf(p))) << p.name;
    EXPECT_EQ(results.text(3, row), tenth(l10Of(p))) << p.name;
    maxLmax = std::max(maxLmax, lmaxOf(p));
    sumL10 += std::pow(10.0, l10Of(p) / 10.0);
  }
  EXPECT_EQ(results.text(1, 1), "Total");
  EXPECT_EQ(results.text(2, 1), tenth(maxLmax));
  EXPECT_EQ(results.text(3, 1), tenth(10.0 * std::log10(sumL10)));
  EXPECT_EQ(results.text(4, 1), "N/A");  // every criterion is "N/A" in a new case

  // Receptor 2 has no distances yet: nothing to show until they are set.
  recep.click(1, 2);
  EXPECT_EQ(results.text(2, 1), "");
  ASSERT_TRUE(w.command(3)->isVisible());
  w.command(3)->click();
  ASSERT_FALSE(started.messages.messages().empty());
  EXPECT_EQ(started.messages.messages().back().text, "Please set the distance greater than zero for Equipment #1.");
  EXPECT_EQ(w.equipmentSheet().grid()->activeCol(), 9);
  EXPECT_EQ(w.equipmentSheet().grid()->activeRow(), 1);
  row = 0;
  for (const Piece& p : kPieces) equip.type(9, ++row, p.distance);
  EXPECT_FALSE(w.command(3)->isVisible());
  EXPECT_FALSE(results.text(2, 1).empty());

  // An invalid edit empties the results; the button shows where it is.
  recep.type(5, 2, "0");
  recep.click(1, 2);
  EXPECT_EQ(results.text(2, 1), "");
  ASSERT_TRUE(w.command(3)->isVisible());
  started.messages.clear();
  w.command(3)->click();
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].text, "Please input a Nighttime Baseline for Receptor #2.");
  EXPECT_EQ(w.receptors().grid()->activeCol(), 5);
  EXPECT_EQ(w.receptors().grid()->activeRow(), 2);

  // Undo brings the baseline and the results back.
  EXPECT_EQ(w.menuItem("mEdit_3")->text(), "Undo Edit");
  study.setCaseChanged(false);
  started.choose("mEdit_3");
  EXPECT_TRUE(study.caseChanged());
  EXPECT_FALSE(w.menuItem("mEdit_3")->isEnabled());
  EXPECT_EQ(recep.text(5, 2), "44.0");
  EXPECT_FALSE(results.text(2, 1).empty());
  EXPECT_FALSE(w.command(3)->isVisible());

  // Copy equipment row 1 onto row 5, then delete it again.
  equip.selectRows(1, 1);
  EXPECT_EQ(w.editMenu(), 5);
  started.choose("mEdit_0");
  equip.selectRows(5, 5);
  started.choose("mEdit_1");
  ASSERT_EQ(study.colEquipment.size(), 5u);
  EXPECT_EQ(study.colEquipment[4]->description, "Air Compressor");
  EXPECT_EQ(w.menuItem("mEdit_3")->text(), "Undo Paste");
  equip.selectRows(5, 5);
  started.choose("mEdit_2");
  EXPECT_EQ(study.colEquipment.size(), 4u);
  EXPECT_EQ(equip.text(2, 5), "");
  EXPECT_EQ(w.menuItem("mEdit_3")->text(), "Undo Delete");

  // Meters and Leq.
  started.choose("mUnits_1");
  EXPECT_EQ(equip.text(9, 1), tenth(100 * 0.30480061));
  QComboBox* metric = w.cmboMetric();
  metric->setFocus();
  QTest::keyClick(metric, Qt::Key_Down);
  QApplication::processEvents();
  EXPECT_EQ(results.columnHeading(3), "Leq");
  EXPECT_FALSE(w.command(1)->isVisible());

  // Save, and the saved case is one vorn-batch reads and reports on.
  TempDir dir;
  const std::string path = (dir.path() / "session.cas").string();
  started.dialog.chooseFile(path);
  started.choose("mFile_3");
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_FALSE(study.caseChanged());
  EXPECT_EQ(w.windowTitle(), "Vornhall (VORN) - session.cas");
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::string> lines = splitLines(std::string(std::istreambuf_iterator<char>(in), {}));
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[2], "3,Leq,meters");
  EXPECT_EQ(lines[4], "Equipment:,1,1,Air Compressor,0,40,0,80,77.6");

  mBatch::Options options;
  options.casePath = path;
  options.date = "01/02/2026";
  std::ostringstream report, errors;
  EXPECT_EQ(mBatch::run(options, std::string(VORN_BIN_DIR) + "/", report, errors), mBatch::exitReported)
      << errors.str();
  EXPECT_NE(report.str().find("School"), std::string::npos);
  EXPECT_NE(report.str().find("Articulated Dump Truck"), std::string::npos);

  // Open an example; the saved case asks nothing.
  started.dialog.chooseFile(std::string(VORN_SOURCE_DIR) + "/examples/Night Paving.cas");
  started.choose("mFile_1");
  EXPECT_EQ(w.windowTitle(), "Vornhall (VORN) - Night Paving.cas");
  EXPECT_EQ(recep.text(1, 1), "Row houses, 212-230 Route 9");
  EXPECT_EQ(metric->currentText(), "L10");
  EXPECT_TRUE(w.command(1)->isVisible());
  EXPECT_EQ(results.columnHeading(3), "L10");
  EXPECT_TRUE(w.menuItem("mUnits_1")->isChecked());
  EXPECT_EQ(equip.text(2, 1), "Cold Planer (Milling Machine)");
  EXPECT_FALSE(results.text(2, 1).empty());
  EXPECT_FALSE(study.caseChanged());
  EXPECT_EQ(w.editMenu(), 7);
  EXPECT_EQ(started.messages.messages().size(), 1u);
}

}  // namespace
