#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "study/mMarkers.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

// Entries of the shipped equipment list, by their position in it.
constexpr int kAirCompressor = 0;  // 40 %, spec 80, actual 77.6
constexpr int kBackhoe = 4;        // 40 %, spec 80, actual 77.4
constexpr int kBarBender = 5;      // 20 %, spec 80, actual N/A

struct MainWindow : ::testing::Test {
  cStartedProgram started;
  cSheetDriver* recep = nullptr;
  cSheetDriver* equip = nullptr;
  std::unique_ptr<cSheetDriver> recepDriver, equipDriver;

  void SetUp() override {
    ASSERT_TRUE(started.start());
    recepDriver = std::make_unique<cSheetDriver>(started.window().receptors().grid());
    equipDriver = std::make_unique<cSheetDriver>(started.window().equipmentSheet().grid());
    recep = recepDriver.get();
    equip = equipDriver.get();
  }
  cStudy& study() { return started.study(); }
  frmMain& window() { return started.window(); }
  cSheetGrid& results() { return *window().results().grid(); }

  void enterReceptor(int row, const char* description) {
    recep->type(1, row, description);
    recep->choose(2, row, 0);
    recep->type(3, row, "55");
    recep->type(4, row, "50");
    recep->type(5, row, "45");
  }
  // Receptor 1 selected, the given equipment in row 1 at 100 feet.
  void oneReceptorOneEquipment(int entry = kAirCompressor) {
    enterReceptor(1, "House");
    recep->click(1, 1);
    equip->choose(2, 1, entry);
    equip->type(9, 1, "100");
  }
  std::shared_ptr<cEquipmentRecord> equipment(int id) {
    std::shared_ptr<cEquipmentRecord> e;
    study().getEquipment(e, id);
    return e;
  }
  std::shared_ptr<cLinkRecord> link(int receptor, int equipmentId) {
    std::shared_ptr<cReceptorRecord> r;
    std::shared_ptr<cLinkRecord> l;
    if (study().getReceptor(r, receptor)) r->getLink(l, equipmentId);
    return l;
  }
};

TEST_F(MainWindow, MenusCarryTheirCaptions) {
  const std::pair<const char*, const char*> items[] = {
      {"mFile_0", "&New"},        {"mFile_1", "&Open..."},   {"mFile_2", "Save"},
      {"mFile_3", "&Save As..."}, {"mFile_4", "&Export Results..."}, {"mExport_0", "CSV File"},
      {"mExport_1", "TXT File"},  {"mFile_6", "&Exit"},      {"mEdit_0", "Copy"},
      {"mEdit_1", "Paste"},       {"mEdit_2", "Delete"},     {"mEdit_3", "Undo"},
      {"mView_0", "&Zoom"},       {"mZoom_1", "Zoom +"},     {"mZoom_2", "Zoom -"},
      {"mOptions_0", "&Modify the Equipment List"},           {"mOptions_2", "&Units"},
      {"mUnits_0", "Feet"},       {"mUnits_1", "Meters"},    {"mHelp_0", "User Guide"},
      {"mHelp_1", "&About"},
  };
  for (const auto& [name, caption] : items) {
    QAction* action = window().menuItem(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    EXPECT_EQ(action->text().toStdString(), caption) << name;
  }
  EXPECT_TRUE(window().menuItem("mFile_5")->isSeparator());
  EXPECT_TRUE(window().menuItem("mOptions_1")->isSeparator());
  const char* buttons[] = {"Noise Limit Criteria", "L10 Calculation", "Noise Limits", "Check Input Data"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(window().command(i)->text().toStdString(), buttons[i]);
  EXPECT_EQ(window().frameInput()->title(), "Input Data");
  EXPECT_EQ(window().frameResult()->title(), "Results");
}

TEST_F(MainWindow, ABoxThatWouldSelectAnNALmaxIsRefused) {
  oneReceptorOneEquipment(kBarBender);
  ASSERT_TRUE(isValueNA(equipment(1)->actual_lmax));
  ASSERT_TRUE(equipment(1)->spec_select);
  cSheetGrid& grid = *window().equipmentSheet().grid();
  // Checking Actual, or unchecking Spec, would both pick the N/A Lmax.
  grid.table()->setFocus();
  for (int col : {7, 5}) {
    grid.setActiveCell(col, 1);
    equip->key(Qt::Key_Space);
    EXPECT_TRUE(equipment(1)->spec_select) << col;
    EXPECT_TRUE(grid.isChecked(5, 1)) << col;
    EXPECT_FALSE(grid.isChecked(7, 1)) << col;
  }
  EXPECT_EQ(results().text(2, 2), "74.0");
}

TEST_F(MainWindow, AnLmaxTypedAsNaIsTheMarkerAndOtherTextStoresNothing) {
  oneReceptorOneEquipment();
  cSheetGrid& grid = *window().equipmentSheet().grid();
  grid.setText(8, 1, "n/a");
  started.events().equipmentValueChanged(8, 1);
  EXPECT_TRUE(isValueNA(equipment(1)->actual_lmax));
  EXPECT_EQ(grid.text(8, 1), "N/A");
  grid.setText(6, 1, "abc");
  started.events().equipmentValueChanged(6, 1);
  EXPECT_FLOAT_EQ(equipment(1)->spec_lmax, 80.0f);
  grid.setText(6, 1, "1e39");
  started.events().equipmentValueChanged(6, 1);
  EXPECT_FLOAT_EQ(equipment(1)->spec_lmax, 80.0f);
  // A distance beyond single precision is no distance: it could not be saved.
  equip->type(9, 1, QString("1") + QString(39, '0'));
  EXPECT_EQ(equip->text(9, 1), "");
  EXPECT_EQ(link(1, 1)->distance, 0.0f);
  EXPECT_TRUE(window().command(3)->isVisible());
}

TEST_F(MainWindow, ADescriptionOutsideTheListKeepsItsTextAndFillsNothing) {
  oneReceptorOneEquipment();
  cSheetGrid& grid = *window().equipmentSheet().grid();
  grid.setText(2, 2, "Hand-made rig");
  started.events().equipmentValueChanged(2, 2);
  EXPECT_EQ(equipment(2)->description, "Hand-made rig");
  EXPECT_FALSE(equipment(2)->active);
  started.events().fillFromList(2, 100000);
  started.events().fillFromList(2, -1);
  EXPECT_FALSE(equipment(2)->active);
}

TEST_F(MainWindow, UnitsConvertDistancesOnceAndRelabelTheDistanceColumn) {
  oneReceptorOneEquipment();
  started.choose("mUnits_1");
  EXPECT_EQ(link(1, 1)->distance, static_cast<float>(100.0f * 0.30480061));
  EXPECT_EQ(equip->text(9, 1), "30.5");
  EXPECT_EQ(window().equipmentSheet().grid()->columnHeading(9), "Distance to\nReceptor\n(meters)");
  EXPECT_TRUE(window().menuItem("mUnits_1")->isChecked());
  EXPECT_FALSE(window().menuItem("mUnits_0")->isChecked());
  const float meters = link(1, 1)->distance;
  started.choose("mUnits_1");
  EXPECT_EQ(link(1, 1)->distance, meters);
  started.choose("mUnits_0");
  EXPECT_NEAR(link(1, 1)->distance, 100.0f, 1e-4);
  EXPECT_EQ(study().units, 0);
}

TEST_F(MainWindow, ZoomInOnTheResultsFrameThenZoomOutRestoresIt) {
  started.choose("mZoom_1");
  EXPECT_EQ(started.events().zoomMode(), 1);
  EXPECT_TRUE(window().menuItem("mZoom_1")->isChecked());
  EXPECT_FALSE(window().menuItem("mZoom_2")->isEnabled());
  EXPECT_FALSE(window().results().grid()->isEnabled());
  EXPECT_FALSE(window().command(3)->isEnabled());
  EXPECT_EQ(window().cursor().shape(), Qt::BitmapCursor);

  // The click lands on the disabled sheet and reaches its frame.
  QTest::mouseClick(window().results().grid()->table()->viewport(), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(started.events().zoomMode(), 0);
  EXPECT_TRUE(started.events().frameZoomed());
  EXPECT_FALSE(window().frameInput()->isVisible());
  EXPECT_EQ(window().results().grid()->visibleRows(), 30);
  EXPECT_FALSE(window().menuItem("mZoom_1")->isEnabled());
  EXPECT_TRUE(window().menuItem("mZoom_2")->isEnabled());
  EXPECT_TRUE(window().results().grid()->isEnabled());
  EXPECT_NE(window().cursor().shape(), Qt::BitmapCursor);

  started.choose("mZoom_2");
  EXPECT_TRUE(window().menuItem("mZoom_2")->isChecked());
  QTest::mouseClick(window().frameResult(), Qt::LeftButton, {}, QPoint(5, 5));
  QApplication::processEvents();
  EXPECT_FALSE(started.events().frameZoomed());
  EXPECT_TRUE(window().frameInput()->isVisible());
  EXPECT_EQ(window().results().grid()->visibleRows(), 6);
  EXPECT_TRUE(window().menuItem("mZoom_1")->isEnabled());
  EXPECT_FALSE(window().menuItem("mZoom_2")->isEnabled());

  // Without a zoom mode a frame click does nothing.
  QTest::mouseClick(window().frameInput(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(started.events().frameZoomed());
}

TEST_F(MainWindow, SaveAndSaveAsClearTheChangeOnlyWhenTheCaseWasWritten) {
  oneReceptorOneEquipment();
  // No case file yet: Save asks for a name; cancelled, the case stays unsaved.
  started.dialog.cancel();
  started.events().fileSave();
  EXPECT_TRUE(study().caseChanged());
  ASSERT_EQ(started.dialog.showings().size(), 1u);
  EXPECT_EQ(started.dialog.lastShowing().kind, SF_ScriptedDialog::Kind::Save);

  TempDir dir;
  started.dialog.chooseFile((dir.path() / "missing folder" / "x.cas").string());
  started.choose("mFile_3");
  EXPECT_TRUE(study().caseChanged());
  ASSERT_FALSE(started.messages.messages().empty());
  EXPECT_EQ(started.messages.messages().back().text, "Problem writing case file.");

  started.dialog.chooseFile((dir.path() / "job.cas").string());
  started.choose("mFile_3");
  EXPECT_FALSE(study().caseChanged());
  EXPECT_EQ(window().windowTitle(), "Vornhall (VORN) - job.cas");
  EXPECT_FALSE(window().menuItem("mFile_2")->isEnabled());
  equip->type(10, 1, "3");
  EXPECT_TRUE(window().menuItem("mFile_2")->isEnabled());
  started.choose("mFile_2");
  EXPECT_FALSE(study().caseChanged());
}

TEST_F(MainWindow, NewAndOpenAnsweredNoLeaveTheCaseAsItWas) {
  oneReceptorOneEquipment();
  started.messages.script({MessageAnswer::No, MessageAnswer::No});
  started.choose("mFile_0");
  started.choose("mFile_1");
  ASSERT_EQ(started.messages.messages().size(), 2u);
  EXPECT_EQ(started.messages.messages()[0].text,
            "If you start a new case, without first saving the current case, the current case data will be lost.\n\n"
            "Do you want to start a new case?");
  EXPECT_EQ(started.messages.messages()[1].text,
            "If you open a new case, without first saving the current case, the current case data will be lost.\n\n"
            "Do you want to open a new case?");
  EXPECT_EQ(study().colReceptors.size(), 1u);
  EXPECT_EQ(study().colEquipment.size(), 1u);
  EXPECT_TRUE(started.dialog.showings().empty());

  started.messages.script({MessageAnswer::Yes});
  started.choose("mFile_0");
  EXPECT_TRUE(study().colEquipment.empty());
  EXPECT_EQ(recep->text(1, 1), "");
  EXPECT_FALSE(study().caseChanged());
  EXPECT_EQ(window().editMenu(), 7);
}

TEST_F(MainWindow, TheL10AdjustmentRevalidatesOnOkAndRecomputes) {
  oneReceptorOneEquipment();
  ASSERT_EQ(results().text(3, 2), "70.6");  // Leq 67.6 + 3.0
  study().setCaseChanged(false);
  ModalDriver driver;
  driver.then([](QWidget* modal) {
    auto* box = modal->findChild<QLineEdit*>("txtAdjustment");
    if (!box) return false;
    EXPECT_EQ(box->text(), "3.0");
    box->setText("-1");
    modal->findChild<QPushButton*>("cmdClose_0")->click();
    EXPECT_TRUE(modal->isVisible());
    box->setText("5");
    modal->findChild<QPushButton*>("cmdClose_0")->click();
    return true;
  });
  window().command(1)->click();
  EXPECT_TRUE(driver.allStepsTaken());
  ASSERT_FALSE(started.messages.messages().empty());
  EXPECT_EQ(started.messages.messages()[0].text, "Please insert a number greater than or equal to 0.");
  EXPECT_EQ(started.messages.messages()[0].title, "Adjustment Factor");
  EXPECT_EQ(started.messages.messages()[0].icon, MessageIcon::None);
  EXPECT_FLOAT_EQ(study().adjustmentFactor, 5.0f);
  EXPECT_TRUE(study().caseChanged());
  EXPECT_EQ(results().text(3, 2), "72.6");
}

TEST_F(MainWindow, TheUserGuideThatCannotBeOpenedIsReported) {
  started.choose("mHelp_0");
  EXPECT_EQ(started.opener.asked, started.programDir + "Tarnwick_UserGuide.pdf");
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].text, "Error openning Tarnwick_UserGuide.pdf");
  EXPECT_EQ(started.messages.messages()[0].icon, MessageIcon::Critical);
  started.opener.succeed = true;
  started.choose("mHelp_0");
  EXPECT_EQ(started.messages.messages().size(), 1u);
}

TEST_F(MainWindow, ACaseDescriptionTypedIsSavedWithoutLeavingTheBox) {
  QLineEdit* box = window().txtCase();
  box->setFocus();
  QTest::keyClicks(box, "Night work");
  EXPECT_EQ(study().caseDescription, "Night work");
  EXPECT_TRUE(study().caseChanged());
  // Leaving the box for another control counts as a change, as it always has.
  study().setCaseChanged(false);
  window().command(0)->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(study().caseChanged());
}

TEST_F(MainWindow, AnOpenCellEditIsKeptByAMenuCommand) {
  oneReceptorOneEquipment();
  equip->click(9, 1);
  for (const char c : std::string("250")) QTest::keyClick(equip->focus(), c);
  // No Enter: the command itself ends the edit.
  started.choose("mUnits_1");
  EXPECT_EQ(link(1, 1)->distance, static_cast<float>(250.0f * 0.30480061));
}

}  // namespace

namespace {

TEST_F(MainWindow, DefaultCriteriaAcceptedBringBackL10EvenWithoutASignalFromTheList) {
  oneReceptorOneEquipment();
  QComboBox* metric = window().cmboMetric();
  metric->setFocus();
  QTest::keyClick(metric, Qt::Key_Down);
  QApplication::processEvents();
  ASSERT_EQ(study().NoiseMetric, 1);
  study().adjustmentFactor = 6.0f;
  started.messages.script({MessageAnswer::Yes, MessageAnswer::Yes});
  ModalDriver driver;
  driver.then([](QWidget* modal) {
    auto* load = modal->findChild<QPushButton*>("cmdLoad1");
    if (!load) return false;
    load->click();
    modal->findChild<QPushButton*>("cmdClose0")->click();
    return true;
  });
  window().command(0)->click();
  EXPECT_TRUE(driver.allStepsTaken());
  EXPECT_EQ(study().NoiseMetric, 2);
  EXPECT_FLOAT_EQ(study().adjustmentFactor, 3.0f);
  EXPECT_EQ(metric->currentText(), "L10");
  EXPECT_TRUE(window().command(1)->isVisible());
  EXPECT_EQ(results().columnHeading(3), "L10");
  // The default criteria now give limits instead of "N/A".
  EXPECT_NE(results().text(4, 1), "N/A");
  EXPECT_EQ(results().text(3, 2), "70.6");
}

}  // namespace

namespace {

TEST_F(MainWindow, APastedRowIsOneUndoStepEvenThoughItsDescriptionFillsTheRow) {
  oneReceptorOneEquipment();
  equip->choose(2, 2, kBackhoe);
  equip->type(9, 2, "300");
  equip->selectRows(1, 1);
  started.choose("mEdit_0");
  equip->selectRows(2, 2);
  started.choose("mEdit_1");
  ASSERT_EQ(equipment(2)->description, "Air Compressor");
  EXPECT_FLOAT_EQ(equipment(2)->actual_lmax, 77.6f);
  EXPECT_EQ(window().menuItem("mEdit_3")->text(), "Undo Paste");
  started.choose("mEdit_3");
  EXPECT_EQ(equipment(2)->description, "Backhoe Loader");
  EXPECT_FLOAT_EQ(equipment(2)->actual_lmax, 77.4f);
  EXPECT_FLOAT_EQ(link(1, 2)->distance, 300.0f);
  EXPECT_EQ(equip->text(2, 2), "Backhoe Loader");
}

TEST_F(MainWindow, TypingBelowTheLastReceptorCreatesTheRowsBetween) {
  recep->type(1, 3, "Far house");
  ASSERT_EQ(study().colReceptors.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(study().colReceptors[static_cast<std::size_t>(i)]->rowID, i + 1);
  EXPECT_EQ(study().colReceptors[2]->description, "Far house");
  // The Active box of row 4 of an empty equipment sheet, checked with the space bar.
  window().equipmentSheet().grid()->table()->setFocus();
  window().equipmentSheet().grid()->setActiveCell(1, 4);
  equip->key(Qt::Key_Space);
  ASSERT_EQ(study().colEquipment.size(), 4u);
  EXPECT_EQ(study().colEquipment[3]->rowID, 4);
  EXPECT_TRUE(study().colEquipment[3]->active);
}

}  // namespace
