// The hand-worked programme of tests/programme/data, opened from the File
// menu of the real main window and edited in its programme window.

#include <filesystem>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "compute/ui/frmOverview.h"
#include "programme/cProgramme.h"
#include "programme/ui/cProgrammeChart.h"
#include "programme/ui/cProgrammeTimeline.h"
#include "programme/ui/cProgrammeWindows.h"
#include "programme/ui/frmProgramme.h"
#include "study/cStudy.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

const std::string kData = VORN_PROGRAMME_DATA;

struct ProgrammeWindow : ::testing::Test {
  cStartedProgram started;
  TempDir dir;

  void SetUp() override {
    for (const char* name : {"Demolition.cas", "Piling.cas", "Night Paving.cas", "Hand Worked.vpg"})
      TempDir::write(dir.file(name), TempDir::read(kData + "/" + name));
    ASSERT_TRUE(started.start());
    started.messages.clear();
  }

  frmProgramme* openHandWorked() {
    started.dialog.chooseFile(dir.file("Hand Worked.vpg"));
    started.choose("mProgramme_2");
    return started.events().programmes().last();
  }
  static QString cell(QTableWidget* t, int row, int col) {
    const QTableWidgetItem* item = t->item(row, col);
    return item ? item->text() : QString();
  }
  static QPushButton* button(frmProgramme* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
  }
};

}  // namespace

TEST_F(ProgrammeWindow, OpenedFromTheFileMenuShowsPhasesTimelineAndWorstExceedances) {
  EXPECT_EQ(started.item("mProgramme_1")->text(), "New &Programme");
  EXPECT_EQ(started.item("mProgramme_2")->text(), "Open Pro&gramme...");
  frmProgramme* w = openHandWorked();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(started.messages.messages().empty());
  QTableWidget* phases = w->phaseTable();
  ASSERT_EQ(phases->rowCount(), 3);
  EXPECT_EQ(cell(phases, 2, frmProgramme::colName), "Night Paving");
  EXPECT_EQ(cell(phases, 1, frmProgramme::colFirst), "3");
  EXPECT_EQ(cell(phases, 1, frmProgramme::colLast), "5");
  EXPECT_EQ(phases->item(2, frmProgramme::colNight)->checkState(), Qt::Checked);
  EXPECT_EQ(phases->item(2, frmProgramme::colDay)->checkState(), Qt::Unchecked);
  EXPECT_EQ(cell(phases, 0, frmProgramme::colStatus), "Available");

  // The night phase's bar is coloured in its night band only.
  EXPECT_EQ(w->timeline()->bandColor(2, 2), cProgrammeTimeline::periodColor(2));
  EXPECT_NE(w->timeline()->bandColor(2, 0), cProgrammeTimeline::periodColor(0));
  EXPECT_LT(w->timeline()->bandRect(0, 0).left(), w->timeline()->bandRect(1, 0).left());

  // Rows: each receptor by day, evening and night; columns: weeks 1 to 8.
  QTableWidget* t = w->exceedanceTable();
  ASSERT_EQ(t->rowCount(), 6);
  ASSERT_EQ(t->columnCount(), 8);
  EXPECT_EQ(cell(t, 0, 2), "4.5");  // House A, day, week 3: the overlap
  EXPECT_EQ(t->item(0, 2)->background().color(), frmOverview::colorFor(4.5f));
  EXPECT_EQ(cell(t, 1, 0), "7.0");  // evening
  EXPECT_EQ(t->item(1, 0)->background().color(), frmOverview::colorFor(7.0f));
  EXPECT_EQ(cell(t, 0, 5), "");     // week 6: no phase
  EXPECT_EQ(cell(t, 3, 2), "4.0");  // Shop B: Lmax 89.0 over 85 beats Leq's 2.1
  EXPECT_EQ(cell(t, 4, 0), "None");
  EXPECT_EQ(t->item(4, 0)->background().style(), Qt::NoBrush);
  EXPECT_EQ(t->verticalHeaderItem(3)->text(), "2: Shop B, Day");

  // The chart of House A's Leq by day: weeks 1 to 5, against 75.
  w->chartReceptor()->setCurrentIndex(0);
  w->chartMetric()->setCurrentIndex(1);
  const QList<QPointF> day = w->chart()->levelSeries(0)->points();
  ASSERT_EQ(day.size(), 5);
  EXPECT_EQ(day[2].x(), 3.0);
  EXPECT_NEAR(day[2].y(), 79.52, 0.01);
  EXPECT_EQ(w->chart()->limitSeries(0)->points()[2].y(), 75.0);
  EXPECT_EQ(w->chart()->levelSeries(2)->points().size(), 2);
  w->chartMetric()->setCurrentIndex(0);
  EXPECT_NEAR(w->chart()->levelSeries(0)->points()[2].y(), 82.96, 0.01);
}

TEST_F(ProgrammeWindow, WeeksAndPeriodsAreEditedInPlaceAndSaved) {
  frmProgramme* w = openHandWorked();
  ASSERT_NE(w, nullptr);
  QTableWidget* phases = w->phaseTable();
  QTableWidget* t = w->exceedanceTable();
  // Piling one week longer: week 6 by day is Piling alone, 1.0 over at House A.
  phases->item(1, frmProgramme::colLast)->setText("6");
  EXPECT_EQ(w->programme().phases[1].lastWeek, 6);
  EXPECT_EQ(cell(t, 0, 5), "1.0");
  EXPECT_TRUE(w->changed());
  EXPECT_TRUE(w->windowTitle().endsWith(" *"));
  // A week that cannot be: refused, and the cell shows the week kept.
  phases->item(1, frmProgramme::colFirst)->setText("7");
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].text,
            "Weeks run from 1 to 9999, and a phase's first week is not after its last.");
  EXPECT_EQ(w->programme().phases[1].firstWeek, 3);
  EXPECT_EQ(cell(phases, 1, frmProgramme::colFirst), "3");
  // Demolition no longer by evening.
  phases->item(0, frmProgramme::colEvening)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(w->programme().phases[0].periods[1]);
  EXPECT_EQ(cell(t, 1, 0), "");
  // Night Paving first: reordered in the list and the file.
  phases->setCurrentCell(2, 0);
  button(w, "programmeMoveUp")->click();
  button(w, "programmeMoveUp")->click();
  EXPECT_EQ(w->programme().phases[0].name, "Night Paving");
  EXPECT_EQ(cell(phases, 0, frmProgramme::colName), "Night Paving");
  EXPECT_EQ(phases->currentRow(), 0);

  started.dialog.chooseFile(dir.file("Edited.vpg"));
  button(w, "programmeSaveAs")->click();
  EXPECT_FALSE(w->changed());
  EXPECT_EQ(TempDir::read(dir.file("Edited.vpg")),
            "VORN Programme - Version 1.0\r\nHand-worked programme\r\nMetric,First Phase\r\nCriteria:,\r\n"
            "Phases...\r\nPhase:,Night Paving,7,8,0,0,1\r\nCase:,Night Paving.cas\r\n"
            "Phase:,Demolition,1,4,1,0,0\r\nCase:,Demolition.cas\r\nPhase:,Piling,3,6,1,0,0\r\n"
            "Case:,Piling.cas\r\nEnd...\r\n");
  // Removed and closed without saving: the file keeps the three phases.
  phases->setCurrentCell(1, 0);
  button(w, "programmeRemovePhase")->click();
  EXPECT_EQ(w->programme().phases.size(), 2u);
  started.messages.script({MessageAnswer::No});
  w->close();
  QApplication::processEvents();
  EXPECT_EQ(started.messages.messages().back().text, "Do you want to save the changes to the programme?");
  EXPECT_EQ(started.events().programmes().last(), nullptr);
}

TEST_F(ProgrammeWindow, APhaseWhoseReceptorsDifferIsRefused) {
  frmProgramme* w = openHandWorked();
  ASSERT_NE(w, nullptr);
  std::string text = TempDir::read(dir.file("Piling.cas"));
  text.replace(text.find("Shop B"), 6, "Shop C");
  TempDir::write(dir.file("Other Piling.cas"), text);
  started.dialog.chooseFile(dir.file("Other Piling.cas"));
  button(w, "programmeAddPhase")->click();
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].text,
            "Phase 4 \"Other Piling\": Receptor #2 \"Shop C\" does not match Receptor #2 \"Shop B\" of Phase 1 "
            "\"Demolition\". The phase was not added.");
  EXPECT_EQ(w->programme().phases.size(), 3u);
  EXPECT_FALSE(w->changed());
  // A matching case is added after the last week, four weeks by day.
  started.dialog.chooseFile(dir.file("Piling.cas"));
  button(w, "programmeAddPhase")->click();
  ASSERT_EQ(w->programme().phases.size(), 4u);
  EXPECT_EQ(w->programme().phases[3].firstWeek, 9);
  EXPECT_EQ(w->programme().phases[3].lastWeek, 12);
  EXPECT_EQ(w->exceedanceTable()->columnCount(), 12);
  started.messages.script({MessageAnswer::No});
}

TEST_F(ProgrammeWindow, AMissingPhaseIsNamedAndShownNotAvailable) {
  std::filesystem::remove(dir.file("Piling.cas"));
  frmProgramme* w = openHandWorked();
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].text,
            "Phase 2 \"Piling\": the case file \"" + dir.file("Piling.cas") + "\" was not found.");
  EXPECT_EQ(cell(w->phaseTable(), 1, frmProgramme::colStatus), "Not found");
  EXPECT_EQ(cell(w->exceedanceTable(), 0, 2), "N/C");
  EXPECT_EQ(cell(w->exceedanceTable(), 0, 0), "2.0");
}

TEST_F(ProgrammeWindow, APhaseOpenedInTheMainWindowAndSavedIsReadAgain) {
  frmProgramme* w = openHandWorked();
  ASSERT_NE(w, nullptr);
  w->phaseTable()->setCurrentCell(1, 0);
  button(w, "programmeOpenPhase")->click();
  cStudy& study = started.study();
  EXPECT_EQ(study.caseDescription, "Piling");
  EXPECT_EQ(study.colReceptors.size(), 2u);
  // The pile driver twice as far from House A: 6.0 dB quieter, within the day limit.
  study.colReceptors[0]->colLinks[0]->distance = 400;
  ASSERT_TRUE(started.events().fileSave());
  w->reloadIfChanged();
  EXPECT_EQ(cell(w->exceedanceTable(), 0, 4), "None");
  EXPECT_EQ(cell(w->exceedanceTable(), 0, 2), "2.8");  // 10 log10(5.0e7 + 9.88e6) = 77.77 against 75
}

TEST_F(ProgrammeWindow, EveryControlHasAnAccessibleName) {
  started.choose("mProgramme_1");
  frmProgramme* w = started.events().programmes().last();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->exceedanceTable()->rowCount(), 0);
  int controls = 0;
  for (QWidget* c : w->findChildren<QWidget*>()) {
    const bool control = qobject_cast<QAbstractButton*>(c) || qobject_cast<QComboBox*>(c) ||
                         qobject_cast<QLineEdit*>(c) || qobject_cast<QTabWidget*>(c) ||
                         qobject_cast<QTableWidget*>(c) || qobject_cast<cProgrammeChart*>(c) ||
                         qobject_cast<cProgrammeTimeline*>(c);
    // The line edit inside a combo box and the table's corner button belong to their owners.
    if (!control || qobject_cast<QComboBox*>(c->parentWidget()) || c->objectName().startsWith("qt_")) continue;
    if (qobject_cast<QAbstractButton*>(c) && qobject_cast<QAbstractItemView*>(c->parentWidget())) continue;
    ++controls;
    EXPECT_FALSE(c->accessibleName().isEmpty()) << c->metaObject()->className() << " " << c->objectName().toStdString();
  }
  EXPECT_GE(controls, 17);
}

TEST_F(ProgrammeWindow, ExitAsksAboutAnUnsavedProgrammeAndKeepsItWhenItCannotBeSaved) {
  frmProgramme* w = openHandWorked();
  ASSERT_NE(w, nullptr);
  w->phaseTable()->item(0, frmProgramme::colLast)->setText("5");
  ASSERT_TRUE(w->changed());
  std::filesystem::remove_all(dir.path());  // nowhere left to save it
  started.messages.script({MessageAnswer::Yes});
  EXPECT_FALSE(started.events().endSession());
  EXPECT_EQ(started.quits, 0);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(started.messages.messages().back().text, "Problem writing programme file.");
  started.messages.script({MessageAnswer::No});
  EXPECT_TRUE(started.events().endSession());
  EXPECT_EQ(started.quits, 1);
}
