#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

const std::string kListName = "VORN Equipment List.equ";

TEST(Startup, WithoutTheEquipmentListItSaysSoAndShowsNoWindow) {
  TempDir dir;
  cStartedProgram started(dir.path().string() + "/");
  EXPECT_FALSE(started.start());
  EXPECT_EQ(started.program, nullptr);
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].text, "Could not open: '\\VORN Equipment List.equ'!");
  EXPECT_EQ(started.messages.messages()[0].title, "VORN");
  EXPECT_EQ(started.messages.messages()[0].icon, MessageIcon::Critical);
  for (QWidget* top : QApplication::topLevelWidgets()) EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString();
}

TEST(Startup, AListThatIsNotAnEquipmentListIsAnErrorReading) {
  TempDir dir;
  std::ofstream(dir.path() / kListName) << "Something else\r\nRevised: 01/01/2020\r\n";
  cStartedProgram started(dir.path().string() + "/");
  EXPECT_FALSE(started.start());
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].text, "Error reading '\\VORN Equipment List.equ'!");
}

TEST(Startup, TheWindowStartsInItsInitialState) {
  cStartedProgram started;
  ASSERT_TRUE(started.start());
  frmMain& w = started.window();
  cStudy& study = started.study();
  EXPECT_TRUE(started.messages.messages().empty());
  EXPECT_EQ(w.windowTitle(), "Vornhall (VORN)");
  EXPECT_EQ(w.cmboMetric()->count(), 2);
  EXPECT_EQ(w.cmboMetric()->itemText(0), "L10");
  EXPECT_EQ(w.cmboMetric()->itemText(1), "Leq");
  EXPECT_EQ(w.cmboMetric()->currentText(), "L10");
  EXPECT_EQ(study.NoiseMetric, 2);
  EXPECT_EQ(study.units, 0);
  EXPECT_TRUE(w.menuItem("mUnits_0")->isChecked());
  EXPECT_FALSE(w.menuItem("mUnits_1")->isChecked());
  EXPECT_TRUE(w.command(1)->isVisible());
  EXPECT_TRUE(w.command(3)->isVisible());
  EXPECT_EQ(w.command(3)->toolTip(), "Press for detailed message and to see the location of improper input data.");
  EXPECT_EQ(w.txtCase()->toolTip(), "Comment will be saved with this case.");
  EXPECT_EQ(QApplication::focusWidget(), w.command(0));
  EXPECT_FALSE(study.caseChanged());
  EXPECT_FALSE(w.menuItem("mFile_2")->isEnabled());
  EXPECT_EQ(w.menuItem("mEdit_3")->text(), "Undo");
  for (const char* name : {"mEdit_0", "mEdit_1", "mEdit_2", "mEdit_3"}) EXPECT_FALSE(w.menuItem(name)->isEnabled()) << name;
  EXPECT_EQ(w.editMenu(), 7);
  EXPECT_TRUE(w.menuItem("mZoom_1")->isEnabled());
  EXPECT_FALSE(w.menuItem("mZoom_2")->isEnabled());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(w.lblReceptor(i)->text(), "No Receptor Selected");
  EXPECT_EQ(started.events().zoomMode(), 0);
  EXPECT_FALSE(started.events().frameZoomed());
  // Every criterion "N/A".
  for (std::int16_t r = 1; r <= 3; ++r)
    for (std::int16_t c = 1; c <= 6; ++c)
      EXPECT_EQ(study.NoiseLimits.getCriteria(0, r, c)->valueText(), "N/A");
  EXPECT_FALSE(started.program->equipmentManager.colList.empty());
}

}  // namespace

namespace {

TEST(Startup, StoredMetersStartInMetersAndOtherNumbersAreNormalisedToMeters) {
  for (const char* stored : {"1", "2"}) {
    cStartedProgram started;
    started.settings.saveSetting("Corvath VORN", "UserSelect", "Units", stored);
    started.settings.saveSetting("Corvath VORN", "UserSelect", "WarningMessage", "-1");
    ASSERT_TRUE(started.start());
    EXPECT_EQ(started.study().units, 1) << stored;
    EXPECT_TRUE(started.window().menuItem("mUnits_1")->isChecked());
    EXPECT_EQ(started.window().equipmentSheet().grid()->columnHeading(9), "Distance to\nReceptor\n(meters)");
    started.choose("mFile_6");
    EXPECT_EQ(started.quits, 1);
    EXPECT_EQ(started.settings.getSetting("Corvath VORN", "UserSelect", "Units"), "1");
    EXPECT_EQ(started.settings.getSetting("Corvath VORN", "UserSelect", "WarningMessage"), "-1");
  }
}

TEST(ExitPath, QuestionsAnsweredNoKeepTheProgramAndYesSavesSettingsThenQuitsOnce) {
  cStartedProgram started;
  ASSERT_TRUE(started.start());
  started.study().setCaseChanged(true);
  started.study().equipmentChanged = true;
  started.study().units = 1;

  started.messages.script({MessageAnswer::No});
  started.choose("mFile_6");
  EXPECT_EQ(started.quits, 0);
  EXPECT_EQ(started.settings.getSetting("Corvath VORN", "UserSelect", "Units", "absent"), "absent");
  ASSERT_EQ(started.messages.messages().size(), 1u);
  const auto& asked = started.messages.messages()[0];
  EXPECT_EQ(asked.text,
            "If you exit, without first saving the current case, the current case data will be lost.\n\n"
            "Do you want to exit?");
  EXPECT_EQ(asked.icon, MessageIcon::Question);
  EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
  EXPECT_EQ(asked.defaultButton, MessageAnswer::No);

  started.messages.clear();
  started.messages.script({MessageAnswer::Yes, MessageAnswer::No});
  started.choose("mFile_6");
  EXPECT_EQ(started.quits, 0);
  ASSERT_EQ(started.messages.messages().size(), 2u);
  EXPECT_EQ(started.messages.messages()[1].text,
            "If you exit, without first saving the modified equipment list, the modified equipment will be lost.\n\n"
            "Do you want to exit?");

  // The close box runs the same path and the window stays until it quits.
  started.messages.script({MessageAnswer::Yes, MessageAnswer::Yes});
  started.window().close();
  QApplication::processEvents();
  EXPECT_EQ(started.quits, 1);
  EXPECT_TRUE(started.window().isVisible());
  EXPECT_EQ(started.settings.getSetting("Corvath VORN", "UserSelect", "Units"), "1");
}

}  // namespace
