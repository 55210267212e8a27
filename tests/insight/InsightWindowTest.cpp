// Results a user can see, explain and act on, in the real main window: the
// chart beside the results sheet, the explanation under a resting pointer,
// the overview of every receptor, a remedy applied and undone, and baselines
// taken from a measurement file and undone.

#include <algorithm>

#include <QApplication>
#include <QBarSet>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <gtest/gtest.h>

#include "app/gui/frmBaselines.h"
#include "qtplatform/mCodePage.h"
#include "compute/mExplain.h"
#include "compute/mProcess.h"
#include "compute/ui/cResultsChart.h"
#include "compute/ui/cResultsTips.h"
#include "compute/ui/frmMitigation.h"
#include "compute/ui/frmOverview.h"
#include "tests/datalib/MeasuredRunSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kAirCompressor = 0;  // first entry of the shipped list: 40 %, actual Lmax 77.6 at 50 ft

// Worked by hand for the Air Compressor (actual Lmax 77.6 dBA at 50 ft, 40 %
// usage, L10 = Leq + 3) at a Residential receptor with baselines 55/50/45
// under the default criteria (non-impact): Lmax limits day 85, night 70;
// L10 limits day 78, night 45 + 5 = 50.
//   at 100 ft: Lmax = 77.6 - 20 log10(2) = 71.58, L10 = 71.58 + 10 log10(0.4) + 3 = 70.60
//   at 200 ft: Lmax = 65.56, L10 = 64.58
//   at 400 ft: Lmax = 59.54, L10 = 58.56

QList<int> sorted(QList<int> bars) {
  std::sort(bars.begin(), bars.end());
  return bars;
}

std::vector<double> ys(const QScatterSeries* series) {
  std::vector<double> out;
  for (const QPointF& p : series->points()) out.push_back(p.y());
  return out;
}

struct Insight : ::testing::Test {
  cStartedProgram started;
  std::unique_ptr<cSheetDriver> recep, equip;
  TempDir dir;

  void SetUp() override {
    ASSERT_TRUE(started.start());
    recep = std::make_unique<cSheetDriver>(window().receptors().grid());
    equip = std::make_unique<cSheetDriver>(window().equipmentSheet().grid());
    ASSERT_TRUE(study().NoiseLimits.Criteria.loadDefault(started.programDir));
    started.messages.clear();
  }
  cStudy& study() { return started.study(); }
  frmMain& window() { return started.window(); }
  cResultsChart& chart() { return window().resultsChart(); }

  void enterReceptor(int row, const char* description) {
    recep->type(1, row, description);
    recep->choose(2, row, 0);
    recep->type(3, row, "55");
    recep->type(4, row, "50");
    recep->type(5, row, "45");
  }
  // Receptor 1 selected with the Air Compressor at 100 ft.
  void houseWithCompressor() {
    enterReceptor(1, "House");
    recep->click(1, 1);
    equip->choose(2, 1, kAirCompressor);
    equip->type(9, 1, "100");
  }
  std::shared_ptr<cLinkRecord> link(int receptor, int equipmentID) {
    std::shared_ptr<cLinkRecord> l;
    study().getLink(l, receptor, equipmentID);
    return l;
  }
  std::shared_ptr<cReceptorRecord> receptor(int id) {
    std::shared_ptr<cReceptorRecord> r;
    study().getReceptor(r, id);
    return r;
  }
  // The tip shown when the pointer rests on a cell of the results sheet.
  QString restOn(int col, int row) {
    QTableWidget* table = window().results().grid()->table();
    const QRect rect = table->visualRect(table->model()->index(row - 1, col - 1));
    QHelpEvent event(QEvent::ToolTip, rect.center(), table->viewport()->mapToGlobal(rect.center()));
    QApplication::sendEvent(table->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  }
};

TEST_F(Insight, TheChartFollowsEveryRecomputationAndEmptiesWhenTheInputIsIncomplete) {
  EXPECT_TRUE(chart().isEmpty());
  houseWithCompressor();
  window().resultTabs()->setCurrentWidget(&chart());

  EXPECT_EQ(chart().categories(), QStringList({"Total", "1: Air Compressor"}));
  ASSERT_EQ(chart().lmaxBars()->count(), 2);
  EXPECT_NEAR(chart().lmaxBars()->at(0), 71.58, 0.01);
  EXPECT_NEAR(chart().lmaxBars()->at(1), 71.58, 0.01);
  EXPECT_NEAR(chart().metricBars()->at(1), 70.60, 0.01);
  EXPECT_EQ(chart().metricBars()->label(), "L10");
  // A day and a night marker over each bar of both lines.
  EXPECT_EQ(ys(chart().limitMarkers(0)), std::vector<double>({85, 78, 85, 78}));
  EXPECT_EQ(ys(chart().limitMarkers(2)), std::vector<double>({70, 50, 70, 50}));
  // Over the night limits: both bars of both lines are coloured.
  EXPECT_EQ(sorted(chart().lmaxBars()->selectedBars()), QList<int>({0, 1}));
  EXPECT_EQ(sorted(chart().metricBars()->selectedBars()), QList<int>({0, 1}));

  // Further away the Lmax complies at night; the L10 still does not.
  equip->type(9, 1, "200");
  EXPECT_NEAR(chart().lmaxBars()->at(1), 65.56, 0.01);
  EXPECT_TRUE(chart().lmaxBars()->selectedBars().isEmpty());
  EXPECT_EQ(sorted(chart().metricBars()->selectedBars()), QList<int>({0, 1}));

  // Leq relabels the metric bars on the next drawing.
  window().cmboMetric()->setCurrentIndex(1);
  started.events().metricChosen(1);
  EXPECT_EQ(chart().metricBars()->label(), "Leq");
  EXPECT_NEAR(chart().metricBars()->at(1), 61.58, 0.01);

  // A distance of 0 fails validation: nothing is drawn, nothing can be saved.
  // The chart is emptied once the edit's event is done with.
  equip->type(9, 1, "0");
  QApplication::processEvents();
  EXPECT_TRUE(chart().isEmpty());
  EXPECT_TRUE(chart().categories().isEmpty());
  EXPECT_TRUE(chart().limitMarkers(0)->points().isEmpty());
  EXPECT_FALSE(chart().savePngButton()->isEnabled());

  equip->type(9, 1, "100");
  EXPECT_FALSE(chart().isEmpty());
}

TEST_F(Insight, TheChartIsSavedAsPngOrSvgByTheNameGiven) {
  houseWithCompressor();
  window().resultTabs()->setCurrentWidget(&chart());
  // A name without a type gets the one asked for.
  started.dialog.chooseFile(dir.file("chart"));
  QTest::mouseClick(chart().savePngButton(), Qt::LeftButton);
  EXPECT_EQ(TempDir::read(dir.file("chart.png")).substr(0, 4), "\x89PNG");
  started.dialog.chooseFile(dir.file("chart.svg"));
  QTest::mouseClick(chart().saveSvgButton(), Qt::LeftButton);
  EXPECT_NE(TempDir::read(dir.file("chart.svg")).find("<svg"), std::string::npos);
  EXPECT_TRUE(started.messages.messages().empty());

  // A folder that does not exist is told, and nothing is left behind.
  started.dialog.chooseFile(dir.file("missing/chart.png"));
  QTest::mouseClick(chart().savePngButton(), Qt::LeftButton);
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].text, "Error saving chart to " + dir.file("missing/chart.png"));
  // Cancelling the prompt writes nothing and says nothing.
  started.dialog.cancel();
  QTest::mouseClick(chart().savePngButton(), Qt::LeftButton);
  EXPECT_EQ(started.messages.messages().size(), 1u);
}

TEST_F(Insight, ARestingPointerExplainsTheNumberUnderIt) {
  houseWithCompressor();
  const QString lmax = restOn(2, 2);
  EXPECT_EQ(lmax, mCodePage::toQString(mExplain::explainCell(study(), 1, 1, 2)));
  EXPECT_TRUE(lmax.startsWith("Lmax 71.6 dBA = actual Lmax at 50 ft 77.6 dBA")) << lmax.toStdString();
  const QString nightL10 = restOn(15, 1);
  EXPECT_EQ(nightL10, mCodePage::toQString(mExplain::explainCell(study(), 1, mExplain::totalLine, 15)));
  EXPECT_TRUE(nightL10.contains("20.6")) << nightL10.toStdString();

  // Rows without a line, and a sheet emptied by incomplete input, explain nothing.
  EXPECT_TRUE(window().resultsTips().tipFor(2, 3).empty());
  equip->type(9, 1, "0");
  EXPECT_TRUE(window().resultsTips().tipFor(2, 2).empty());
}

TEST_F(Insight, TheOverviewColoursHowFarOverAndADoubleClickSelectsTheReceptor) {
  houseWithCompressor();
  enterReceptor(2, "School");
  recep->click(1, 2);
  equip->type(9, 1, "400");
  recep->click(1, 1);

  started.choose("mView_2");
  frmOverview* overview = started.events().overview();
  ASSERT_NE(overview, nullptr);
  ASSERT_TRUE(overview->isVisible());
  QTableWidget* table = overview->table();
  ASSERT_EQ(table->rowCount(), 2);
  // Columns: Receptor, Description, Land Use, then Lmax and L10 by day, evening, night.
  EXPECT_EQ(table->item(0, 1)->text(), "House");
  EXPECT_EQ(table->item(0, 7)->text(), "1.6");
  EXPECT_EQ(table->item(0, 8)->text(), "20.6");
  EXPECT_EQ(table->item(1, 7)->text(), "None");
  EXPECT_EQ(table->item(1, 8)->text(), "8.6");
  EXPECT_EQ(overview->cellColor(0, 7), frmOverview::colorFor(1.6f));
  EXPECT_EQ(overview->cellColor(1, 8), frmOverview::colorFor(8.6f));
  EXPECT_EQ(overview->cellColor(0, 8), frmOverview::colorFor(20.6f));
  EXPECT_FALSE(overview->cellColor(1, 7).isValid());
  EXPECT_NE(frmOverview::colorFor(1.6f), frmOverview::colorFor(8.6f));
  EXPECT_NE(frmOverview::colorFor(8.6f), frmOverview::colorFor(20.6f));

  const QRect school = table->visualItemRect(table->item(1, 1));
  // As the system delivers a double-click: a click, then the second press.
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, school.center());
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, school.center());
  QApplication::processEvents();
  EXPECT_EQ(study().receptorID(), 2);
  EXPECT_EQ(window().receptors().grid()->activeRow(), 2);
  // The chart, drawn when it is shown, is the selected receptor's.
  window().resultTabs()->setCurrentWidget(&chart());
  EXPECT_EQ(chart().categories(), QStringList({"Total", "1: Air Compressor"}));
  EXPECT_NEAR(chart().lmaxBars()->at(1), 59.54, 0.01);

  // An edit makes the list stale; Refresh shows the case as it stands.
  equip->type(9, 1, "800");
  EXPECT_TRUE(overview->isStale());
  EXPECT_TRUE(overview->findChild<QLabel*>("lblOverview")->text().endsWith("press Refresh."));
  QTest::mouseClick(overview->findChild<QPushButton*>("cmdRefresh"), Qt::LeftButton);
  EXPECT_FALSE(overview->isStale());
  EXPECT_EQ(table->item(1, 8)->text(), "2.5");
}

TEST_F(Insight, ARemedyChosenIsOneEditThatUndoTakesBack) {
  houseWithCompressor();
  ModalDriver driver;
  QString shieldingShown;
  driver.then([&](QWidget* modal) {
    auto* dialog = qobject_cast<frmMitigation*>(modal);
    if (!dialog) return false;
    QTableWidget* table = dialog->table();
    for (int row = 0; row < table->rowCount(); ++row) {
      if (table->item(row, 0)->text() == "Air Compressor" && table->item(row, 1)->text() == "Night" &&
          table->item(row, 2)->text() == "Lmax") {
        table->selectRow(row);
        shieldingShown = table->item(row, 5)->text();
      }
    }
    QTest::mouseClick(dialog->applyButton(mMitigation::Remedy::shielding), Qt::LeftButton);
    return true;
  });
  started.choose("mView_3");
  EXPECT_TRUE(driver.allStepsTaken());
  EXPECT_EQ(driver.rejectedUnexpected(), 0);
  // 71.58 - 70 dB, to the tenth above.
  EXPECT_EQ(shieldingShown, "1.6");
  EXPECT_FLOAT_EQ(link(1, 1)->sheilding, 1.6f);
  cSheetGrid& results = *window().results().grid();
  EXPECT_EQ(results.text(14, 2), "None");
  EXPECT_EQ(window().equipmentSheet().grid()->text(10, 1), "1.6");
  EXPECT_TRUE(study().caseChanged());

  started.choose("mEdit_3");
  EXPECT_FLOAT_EQ(link(1, 1)->sheilding, 0.0f);
  EXPECT_EQ(results.text(14, 2), "1.6");
}

TEST_F(Insight, BaselinesFromAMeasurementAreOneEditAndPeriodsWithoutRecordsKeepTheirs) {
  houseWithCompressor();
  // 06:30 to 07:30 in 0.5 s records: 42 dB until 07:00 (night), 58 dB after (day).
  const std::string path = dir.file("ambient.sth");
  ASSERT_TRUE(writeRun(path, *measuredRun(6.5 * 3600, 7200, [](int i) { return i < 3600 ? 42.0 : 58.0; })));

  ModalDriver driver;
  QString shown[3];
  QString message;
  driver.then([&](QWidget* modal) {
    auto* dialog = qobject_cast<frmBaselines*>(modal);
    if (!dialog) return false;
    for (int p = 0; p < 3; ++p) shown[p] = dialog->periodLabel(p)->text();
    message = dialog->findChild<QPlainTextEdit*>("txtBaselineMessage")->toPlainText();
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    return true;
  });
  started.dialog.chooseFile(path);
  // From the receptor sheet's context menu.
  QList<QAction*> actions = window().receptors().grid()->table()->actions();
  ASSERT_EQ(actions.size(), 1);
  actions[0]->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(driver.allStepsTaken());

  EXPECT_EQ(shown[0], "58.0 dBA (now 55.0)");
  EXPECT_EQ(shown[1], "no record; stays 50.0");
  EXPECT_EQ(shown[2], "42.0 dBA (now 45.0)");
  EXPECT_TRUE(message.contains("evening")) << message.toStdString();
  EXPECT_FLOAT_EQ(receptor(1)->dayBase, 58.0f);
  EXPECT_FLOAT_EQ(receptor(1)->eveBase, 50.0f);
  EXPECT_FLOAT_EQ(receptor(1)->niteBase, 42.0f);
  EXPECT_EQ(recep->text(3, 1), "58.0");
  EXPECT_EQ(recep->text(5, 1), "42.0");
  // Recomputed: the night L10 limit is the new baseline + 5.
  EXPECT_EQ(window().results().grid()->text(9, 1), "47.0");

  started.choose("mEdit_3");
  EXPECT_FLOAT_EQ(receptor(1)->dayBase, 55.0f);
  EXPECT_FLOAT_EQ(receptor(1)->niteBase, 45.0f);
  EXPECT_EQ(recep->text(5, 1), "45.0");
  EXPECT_EQ(window().results().grid()->text(9, 1), "50.0");
}

TEST_F(Insight, AMeasurementThatCannotBeReadIsToldAndChangesNothing) {
  houseWithCompressor();
  const std::string path = dir.file("notes.sth");
  TempDir::write(path, "not a measurement\r\n");
  started.dialog.chooseFile(path);
  started.choose("mEdit_5");
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].icon, MessageIcon::Critical);
  EXPECT_NE(started.messages.messages()[0].text.find("notes.sth"), std::string::npos);
  EXPECT_FLOAT_EQ(receptor(1)->dayBase, 55.0f);
}

TEST_F(Insight, TheReceptorCommandsComeAfterTheMenusItemsAndNeedAReceptorToWorkOn) {
  EXPECT_TRUE(window().menuItem("mView_1")->isSeparator());
  EXPECT_EQ(window().menuItem("mView_2")->text(), "Receptor &Overview...");
  EXPECT_EQ(window().menuItem("mView_3")->text(), "&What Would It Take...");
  EXPECT_TRUE(window().menuItem("mEdit_4")->isSeparator());
  EXPECT_EQ(window().menuItem("mEdit_5")->text(), "&Baselines from a Measurement...");

  // Nothing selected: told, and no file is asked for.
  started.choose("mView_3");
  started.choose("mEdit_5");
  ASSERT_EQ(started.messages.messages().size(), 2u);
  EXPECT_EQ(started.messages.messages()[0].text, "Please select a receptor first.");
  EXPECT_EQ(started.messages.messages()[1].text, "Please select a receptor first.");
  EXPECT_TRUE(started.dialog.showings().empty());

  // Incomplete input has no remedies to offer.
  houseWithCompressor();
  equip->type(9, 1, "0");
  started.messages.clear();
  started.choose("mView_3");
  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_NE(started.messages.messages()[0].text.find("incomplete"), std::string::npos);
}

}  // namespace
