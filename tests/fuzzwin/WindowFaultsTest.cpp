// Faults the randomized run found, each pinned by the shortest user story
// that shows it.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "qtplatform/cSheetGrid.h"
#include "study/mFormat.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

struct WindowFaults : ::testing::Test {
  cStartedProgram started;
  std::unique_ptr<cSheetDriver> recep, equip;

  void SetUp() override {
    ASSERT_TRUE(started.start());
    recep = std::make_unique<cSheetDriver>(started.window().receptors().grid());
    equip = std::make_unique<cSheetDriver>(started.window().equipmentSheet().grid());
  }
  cStudy& study() { return started.study(); }
  cSheetGrid& results() { return *started.window().results().grid(); }

  // Receptor 1 and the list's first entry at 100 feet: results on show.
  void oneReceptorOneEquipment() {
    recep->type(1, 1, "House");
    recep->choose(2, 1, 0);
    recep->type(3, 1, "55");
    recep->type(4, 1, "50");
    recep->type(5, 1, "45");
    recep->click(1, 1);
    equip->choose(2, 1, 0);
    equip->type(9, 1, "100");
    ASSERT_FALSE(results().text(2, 1).empty());
  }
};

// A piece of equipment pasted from elsewhere, under a name the list does not
// have, used to get no link to the receptor: the distance check passed
// without it and the totals left it out without a word.
TEST_F(WindowFaults, EquipmentPastedFromElsewhereMustHaveItsDistanceBeforeItCounts) {
  oneReceptorOneEquipment();
  equip->selectRows(1, 1);
  started.choose("mEdit_0");
  QApplication::clipboard()->setText(QStringLiteral("1\tMy own saw\t0\t50%\t1\t90\t0\tN/A\n"));
  equip->selectRows(2, 2);
  started.choose("mEdit_1");
  ASSERT_EQ(study().colEquipment.size(), 2u);
  EXPECT_EQ(study().colEquipment[1]->description, "My own saw");
  EXPECT_FLOAT_EQ(study().colEquipment[1]->usage, 50.0f);
  EXPECT_EQ(study().colReceptors[0]->colLinks.size(), 2u);
  EXPECT_EQ(results().text(2, 1), "");
  EXPECT_TRUE(started.window().command(3)->isVisible());

  equip->type(9, 2, "50");
  EXPECT_EQ(results().text(1, 3), "My own saw");
  EXPECT_EQ(results().text(2, 1), "90.0");
}

// Units and the metric are saved with the case: changing either after a
// save used to leave the case "unchanged", so Exit lost it without asking.
TEST_F(WindowFaults, UnitsAndMetricChangesAreUnsavedWork) {
  oneReceptorOneEquipment();
  TempDir dir;
  started.dialog.chooseFile(dir.file("units.cas"));
  started.choose("mFile_3");
  ASSERT_FALSE(study().caseChanged());

  started.choose("mUnits_1");
  EXPECT_TRUE(study().caseChanged());
  EXPECT_TRUE(started.item("mFile_2")->isEnabled());
  started.choose("mFile_2");
  ASSERT_FALSE(study().caseChanged());
  started.choose("mUnits_1");  // already meters: nothing to save
  EXPECT_FALSE(study().caseChanged());

  QComboBox* metric = started.window().cmboMetric();
  metric->setFocus();
  QTest::keyClick(metric, Qt::Key_Down);
  QApplication::processEvents();
  ASSERT_EQ(study().NoiseMetric, 1);
  EXPECT_TRUE(study().caseChanged());
  started.messages.script({MessageAnswer::No});
  started.choose("mFile_6");
  EXPECT_EQ(started.quits, 0);
  ASSERT_FALSE(started.messages.messages().empty());
  EXPECT_EQ(started.messages.messages().back().text.substr(0, 9), "If you ex");

  // An opened case shows its own metric without becoming unsaved work.
  started.choose("mFile_2");
  started.dialog.chooseFile(dir.file("units.cas"));
  started.choose("mFile_1");
  EXPECT_FALSE(study().caseChanged());
}

// Quotes, "|", surrounding spaces and a leading comma do not survive the
// case file (a quote and a comma together even made it unreadable), so the
// window keeps a description as the file will give it back.
TEST_F(WindowFaults, ADescriptionIsKeptAsTheCaseFileCarriesIt) {
  recep->type(1, 1, "a \"b, c");
  EXPECT_EQ(study().colReceptors[0]->description, "a 'b, c");
  EXPECT_EQ(recep->text(1, 1), "a 'b, c");
  recep->type(1, 2, ",x|y ");
  EXPECT_EQ(study().colReceptors[1]->description, "x\xA6y");

  QLineEdit* box = started.window().txtCase();
  QTest::mouseClick(box, Qt::LeftButton);
  QTest::keyClicks(box, " 12\" pipe ");
  EXPECT_EQ(study().caseDescription, "12' pipe");
  EXPECT_EQ(box->text(), " 12\" pipe ");  // the box is not rewritten under the user's cursor

  TempDir dir;
  started.dialog.chooseFile(dir.file("texts.cas"));
  started.choose("mFile_3");
  EXPECT_FALSE(study().caseChanged());  // the box's text and the case agree
  cStudy reopened;
  ASSERT_TRUE(reopened.caseFile.readCaseFile(dir.file("texts.cas")));
  EXPECT_EQ(reopened.caseFile.buildCaseLines(), study().caseFile.buildCaseLines());
}

TEST(StorableText, KeepsWhatTheReaderGivesBack) {
  const std::pair<const char*, const char*> cases[] = {
      {"plain", "plain"},       {"  spaced  ", "spaced"}, {"12\" saw", "12' saw"}, {"a|b", "a\xA6" "b"},
      {", ,lead", "lead"},      {"trail,", "trail,"},     {",", ""},               {" ", ""},
      {"a, b", "a, b"},         {"\xe9t\xe9", "\xe9t\xe9"},
  };
  for (const auto& [typed, kept] : cases) EXPECT_EQ(storableText(typed), kept) << typed;
}

// Closing the criteria dialog while one of its sheets had the focus: the
// focus change that the base destructor reports reached the half-destroyed
// grid (the sanitizer build stops on it).
TEST(SheetGridFocus, AGridDestroyedWhileItHoldsTheFocusHearsNothingMore) {
  qtTestApp();
  QWidget window;
  auto* other = new QLineEdit(&window);
  auto* grid = new cSheetGrid(&window);
  grid->setSize(2, 2);
  grid->move(0, 40);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  grid->table()->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(grid->isAncestorOf(QApplication::focusWidget()));
  delete grid;
  QApplication::processEvents();
  other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), other);
}

}  // namespace
