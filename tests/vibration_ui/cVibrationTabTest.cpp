// The Vibration tab in the whole program, driven as a user drives it: open
// the hand-worked case (tests/vibration/data/school.cas with school.vib, see
// BatchVibrationTest.cpp), read the tab, change the building, the mapping
// and the soil, and save.

#include <filesystem>

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"
#include "vibration/IVibrationTable.h"
#include "vibration/cVibrationSettings.h"
#include "vibration/mVibrationTable.h"
#include "vibration/ui/cVibrationTab.h"
#if VORN_HAVE_GDAL
#include "vibration/gdal/cGeoPackageVibrationTable.h"
#endif

namespace {

const std::string kData = VORN_VIBRATION_DATA;

struct VibrationTab : ::testing::Test {
  cStartedProgram started;
  TempDir dir;

  void SetUp() override {
    ASSERT_TRUE(started.start());
    std::filesystem::copy_file(kData + "/school.cas", dir.file("school.cas"));
  }
  cVibrationTab& tab() { return started.window().vibrationTab(); }
  void open() {
    started.dialog.chooseFile(dir.file("school.cas"));
    started.choose("mFile_1");
  }
  void showTab() {
    QTabBar* bar = started.window().resultTabs()->tabBar();
    ASSERT_EQ(bar->tabText(2), "Vibration");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    QApplication::processEvents();
    ASSERT_TRUE(tab().isVisible());
  }
  // Cells from Distance to Min Distance Lv of a table row.
  QStringList values(int row) {
    QStringList out;
    for (int col = cVibrationTab::colDistance; col < cVibrationTab::columnCount; ++col) out << tab().cellText(col, row);
    return out;
  }
  static void pickFirst(QComboBox* box) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    QApplication::processEvents();
  }
  static void typeInto(QDoubleSpinBox* box, const char* text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::fromLatin1(text));
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();
  }
};

}  // namespace

TEST_F(VibrationTab, ShowsTheSelectedReceptorAndKeepsItsEditsBesideTheCase) {
  std::filesystem::copy_file(kData + "/school.vib", dir.file("school.vib"));
  open();
  showTab();
  EXPECT_EQ(tab().receptorLabel()->text(), "Receptor #1: House, 12 Elm");
  // The worst line, then the active pieces: the inactive Hoe Ram has no line.
  ASSERT_EQ(tab().table()->rowCount(), 5);
  EXPECT_EQ(tab().cellText(cVibrationTab::colEquipment, 0), "Worst");
  EXPECT_EQ(tab().cellText(cVibrationTab::colPPV, 0), "0.330");
  EXPECT_EQ(tab().cellText(cVibrationTab::colLv, 0), "94.0");
  EXPECT_EQ(tab().cellText(cVibrationTab::colEquipment, 1), "Pile Driver, Impact (Diesel)");
  EXPECT_EQ(values(1), QStringList({"100.0", "0.330", "0.200", "0.130", "93.9", "72.0", "21.9", "157.9", "538.7"}));
  EXPECT_EQ(tab().sourceBox(3)->currentText(), "Loaded trucks");
  EXPECT_EQ(values(4), QStringList({"0.0", "", "0.200", "", "", "72.0", "", "5.2", "42.8"}));
  EXPECT_FALSE(started.study().caseChanged());

  // The House is a reinforced building: 0.5 in/s, 25 x 3.035^(1/1.1) = 68.61 -> 68.7 ft.
  pickFirst(tab().categoryBox());
  EXPECT_EQ(values(1).mid(1, 3), QStringList({"0.330", "0.500", "None"}));
  EXPECT_EQ(tab().cellText(cVibrationTab::colMinDistancePPV, 1), "68.7");
  EXPECT_TRUE(started.study().caseChanged());
  EXPECT_TRUE(started.item("mFile_2")->isEnabled());
  // The jackhammer is no vibration source in this case.
  pickFirst(tab().sourceBox(4));
  EXPECT_EQ(tab().sourceBox(4)->currentText(), "None");
  EXPECT_EQ(values(4), QStringList(9, QString()));
  // Soft soil: 1.518 / 8 = 0.190 in/s; 25 x 3.036^(2/3) = 52.42 -> 52.5 ft.
  typeInto(tab().exponentBox(), "1.5");
  EXPECT_EQ(tab().cellText(cVibrationTab::colPPV, 1), "0.190");
  EXPECT_EQ(tab().cellText(cVibrationTab::colMinDistancePPV, 1), "52.5");

  // Receptor 2 shows what the file said of it.
  cSheetDriver(started.window().receptors().grid()).click(1, 2);
  EXPECT_EQ(tab().receptorLabel()->text(), "Receptor #2: School");
  EXPECT_EQ(tab().categoryBox()->currentIndex(), 0);
  EXPECT_FALSE(tab().byLandUseBox()->isChecked());
  EXPECT_EQ(tab().annoyanceBox()->value(), 80.0);

  const std::string caseBytes = TempDir::read(dir.file("school.cas"));
  started.choose("mFile_2");
  EXPECT_FALSE(started.study().caseChanged());
  EXPECT_EQ(TempDir::read(dir.file("school.cas")), caseBytes);
  EXPECT_EQ(TempDir::read(dir.file("school.vib")),
            "VORN Vibration - Version 1.0\r\n"
            "Exponent,1.5\r\n"
            "Receptor:,1,\"House, 12 Elm\",1,Default\r\n"
            "Receptor:,2,School,1,80\r\n"
            "Mapping:,Backhoe Loader,Loaded trucks\r\n"
            "Mapping:,Jackhammer,None\r\n");

  // A new case starts from the defaults.
  started.choose("mFile_0");
  EXPECT_EQ(tab().exponentBox()->value(), 1.5);
  EXPECT_TRUE(tab().settings().isDefault());
}

TEST_F(VibrationTab, TheAnnoyanceLimitFollowsTheLandUseUntilSet) {
  open();
  showTab();
  EXPECT_TRUE(tab().byLandUseBox()->isChecked());
  EXPECT_FALSE(tab().annoyanceBox()->isEnabled());
  EXPECT_EQ(tab().cellText(cVibrationTab::colLvLimit, 1), "72.0");
  QTest::mouseClick(tab().byLandUseBox(), Qt::LeftButton);
  ASSERT_TRUE(tab().annoyanceBox()->isEnabled());
  typeInto(tab().annoyanceBox(), "65");
  EXPECT_EQ(tab().cellText(cVibrationTab::colLvLimit, 1), "65.0");
  // Roller at 25 ft: 94 - 65 = 29.0; 25 x 10^(29/30) = 231.53 -> 231.6 ft.
  EXPECT_EQ(tab().cellText(cVibrationTab::colLvExceedance, 2), "29.0");
  EXPECT_EQ(tab().cellText(cVibrationTab::colMinDistanceLv, 2), "231.6");
  // Without settings, saving the case writes no vibration file; with them it does.
  started.dialog.chooseFile(dir.file("other.cas"));
  started.choose("mFile_3");
  EXPECT_TRUE(std::filesystem::exists(dir.file("other.vib")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("school.vib")));
}

TEST_F(VibrationTab, AnUnreadableFileIsReportedAndTheDefaultsApply) {
  TempDir::write(dir.file("school.vib"), "VORN Vibration - Version 1.0\r\nExponent,9\r\n");
  open();
  ASSERT_FALSE(started.messages.messages().empty());
  EXPECT_EQ(started.messages.messages().back().text, "Problem reading vibration file.");
  showTab();
  EXPECT_TRUE(tab().settings().isDefault());
  EXPECT_EQ(tab().cellText(cVibrationTab::colPPV, 1), "0.190");
}

TEST_F(VibrationTab, ControlsCarryTheNamesAUserReads) {
  EXPECT_EQ(tab().table()->accessibleName(), "Vibration");
  EXPECT_EQ(tab().categoryBox()->accessibleName(), "Building");
  EXPECT_EQ(tab().annoyanceBox()->accessibleName(), "Annoyance limit");
  EXPECT_EQ(tab().byLandUseBox()->accessibleName(), "Annoyance limit by land use");
  EXPECT_EQ(tab().exponentBox()->accessibleName(), "Soil exponent n");
  showTab();
  EXPECT_EQ(tab().receptorLabel()->text(), "No Receptor Selected");
  EXPECT_FALSE(tab().categoryBox()->isEnabled());
}

TEST_F(VibrationTab, EachEditIsOneStepOfEditUndoAndTheTabShowsTheSettingsBack) {
  std::filesystem::copy_file(kData + "/school.vib", dir.file("school.vib"));
  open();
  showTab();
  QAction* undo = started.item("mEdit_3");
  EXPECT_FALSE(undo->isEnabled());

  pickFirst(tab().categoryBox());
  EXPECT_EQ(tab().cellText(cVibrationTab::colPPVLimit, 1), "0.500");
  EXPECT_TRUE(started.study().caseChanged());
  ASSERT_TRUE(undo->isEnabled());
  EXPECT_EQ(undo->text(), "Undo Edit");
  started.choose("mEdit_3");
  EXPECT_EQ(tab().categoryBox()->currentIndex(), 2);
  EXPECT_EQ(tab().cellText(cVibrationTab::colPPVLimit, 1), "0.200");
  EXPECT_TRUE(started.study().caseChanged());

  // The soil: 1.518 x (25/100)^1.5 = 0.190 in/s, back to 0.330 at n = 1.1.
  typeInto(tab().exponentBox(), "1.5");
  EXPECT_EQ(tab().cellText(cVibrationTab::colPPV, 1), "0.190");
  started.choose("mEdit_3");
  EXPECT_EQ(tab().exponentBox()->value(), 1.1);
  EXPECT_EQ(tab().cellText(cVibrationTab::colPPV, 1), "0.330");

  // The mapping: the loaded trucks of the backhoe back after None.
  pickFirst(tab().sourceBox(3));
  EXPECT_EQ(tab().sourceBox(3)->currentText(), "None");
  started.choose("mEdit_3");
  EXPECT_EQ(tab().sourceBox(3)->currentText(), "Loaded trucks");
  EXPECT_EQ(tab().settings().mapping.rowFor("Backhoe Loader"), mVibrationTable::find("Loaded trucks"));

  // The annoyance limit: set, then by land use again.
  QTest::mouseClick(tab().byLandUseBox(), Qt::LeftButton);
  typeInto(tab().annoyanceBox(), "65");
  EXPECT_EQ(tab().cellText(cVibrationTab::colLvLimit, 1), "65.0");
  started.choose("mEdit_3");
  EXPECT_EQ(tab().cellText(cVibrationTab::colLvLimit, 1), "72.0");
  EXPECT_FALSE(tab().byLandUseBox()->isChecked());

  // A sheet edit after a vibration edit is the step undone; the vibration
  // edit stays.
  pickFirst(tab().categoryBox());
  cSheetDriver(started.window().receptors().grid()).type(1, 1, "Home, 12 Elm");
  ASSERT_EQ(started.study().colReceptors[0]->description, "Home, 12 Elm");
  started.choose("mEdit_3");
  EXPECT_EQ(started.study().colReceptors[0]->description, "House, 12 Elm");
  EXPECT_EQ(tab().categoryBox()->currentIndex(), 0);
}

#if VORN_HAVE_GDAL
TEST_F(VibrationTab, ACaseWithAPlanKeepsItsSettingsInItsGeoPackageAndReopensWithThem) {
  const std::string examples = std::string(VORN_SOURCE_DIR) + "/examples/";
  for (const char* name : {"Bridge Demolition.cas", "Bridge Demolition.gpkg"})
    std::filesystem::copy_file(examples + name, dir.file(name));
  started.dialog.chooseFile(dir.file("Bridge Demolition.cas"));
  started.choose("mFile_1");
  showTab();
  pickFirst(tab().categoryBox());
  started.choose("mFile_2");
  EXPECT_FALSE(started.study().caseChanged());
  EXPECT_FALSE(std::filesystem::exists(dir.file("Bridge Demolition.vib")));
  std::vector<mVibrationFile::TableRow> rows;
  std::string problem;
  ASSERT_EQ(cGeoPackageVibrationTable().read(dir.file("Bridge Demolition.gpkg"), rows, problem),
            IVibrationTable::Status::read);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2][0], "Receptor:");
  EXPECT_EQ(rows[2][1], "1");
  EXPECT_EQ(rows[2][3], "1");

  started.choose("mFile_0");
  EXPECT_TRUE(tab().settings().isDefault());
  started.dialog.chooseFile(dir.file("Bridge Demolition.cas"));
  started.choose("mFile_1");
  EXPECT_EQ(tab().categoryBox()->currentIndex(), 0);
  EXPECT_EQ(tab().cellText(cVibrationTab::colPPVLimit, 0), "0.500");
  EXPECT_TRUE(started.messages.messages().empty());

  // A damaged table: a message, the defaults, and the case opens with its plan.
  started.choose("mFile_0");
  ASSERT_TRUE(cGeoPackageVibrationTable().write(dir.file("Bridge Demolition.gpkg"),
                                                {{"Format", "", "", "VORN Vibration - Version 1.0", ""},
                                                 {"Exponent", "", "", "2.5", ""}},
                                                problem));
  started.dialog.chooseFile(dir.file("Bridge Demolition.cas"));
  started.choose("mFile_1");
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].text,
            "The vibration settings in Bridge Demolition.gpkg could not be read: its vibration_settings table is "
            "damaged\nThe case opens with the default vibration settings.");
  EXPECT_TRUE(tab().settings().isDefault());
  EXPECT_EQ(started.study().colReceptors.size(), 3u);
  EXPECT_TRUE(started.study().receptorPosition(1).has_value());
}
#endif
