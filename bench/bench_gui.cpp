// The main window at full size (100 receptors, 20 pieces of equipment),
// offscreen with real widgets: one distance typed until the results sheet is
// drawn again (target under 16 ms), the same edit with the chart beside the
// sheet shown and drawn again (the same 16 ms), and File > Open of such a
// case until its first receptor is shown (target under 150 ms).

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QApplication>
#include <QChartView>
#include <QTabWidget>
#include <QTableWidget>
#include <benchmark/benchmark.h>

#include "SF_ScriptedDialog.h"
#include "app/gui/cMainEvents.h"
#include "app/gui/cProgram.h"
#include "app/gui/frmMain.h"
#include "app/gui/mMain.h"
#include "qtplatform/IDocumentOpener.h"
#include "qtplatform/cMemorySettingsStore.h"
#include "qtplatform/cSheetGrid.h"
#include "compute/ui/cResultsChart.h"
#include "base/mProgramDirectory.h"
#include "study/cScriptedMessageService.h"
#include "study/ui/cEquipmentSheet.h"
#include "study/ui/cResults.h"

namespace {

constexpr int kReceptors = 100;
constexpr int kEquipment = 20;

class NoOpener : public IDocumentOpener {
public:
  bool openDocument(const std::string&, const std::string&, const std::string&) override { return false; }
};

// The program started offscreen with a full-size case open.
struct FullSizeProgram {
  cScriptedMessageService messages;
  SF_ScriptedDialog dialog;
  cMemorySettingsStore settings;
  NoOpener opener;
  std::unique_ptr<cProgram> program;
  std::string casePath;

  FullSizeProgram() {
    const std::string dir = programDirectory();
    cStartupServices services{messages, dialog, settings, opener, dir, [] {}};
    program = mMain::startup(services);
    if (!program) std::abort();
    casePath = (std::filesystem::temp_directory_path() / "vorn-bench-full.cas").string();
    writeFullSizeCase(dir);
    open();
  }
  ~FullSizeProgram() { std::filesystem::remove(casePath); }

  void writeFullSizeCase(const std::string& dir) {
    cStudy study;
    study.NoiseMetric = 2;
    study.NoiseLimits.Criteria.loadDefault(dir);
    const auto& list = program->equipmentManager.colList;
    for (int e = 1; e <= kEquipment; ++e) {
      auto record = list[static_cast<std::size_t>(e - 1) % list.size()]->copy();
      record->rowID = static_cast<std::int16_t>(e);
      record->active = true;
      study.colEquipment.push_back(record);
    }
    for (int r = 1; r <= kReceptors; ++r) {
      auto receptor = study.addReceptor(r);
      receptor->description = "Receptor " + std::to_string(r);
      receptor->setLandUseTxt(r % 3 == 0 ? "Industrial" : r % 2 == 0 ? "Commercial" : "Residential");
      receptor->dayBase = 55.0f;
      receptor->eveBase = 50.0f;
      receptor->niteBase = 45.0f;
      for (int e = 1; e <= kEquipment; ++e) receptor->addLink(e)->distance = static_cast<float>(50 + r + 10 * e);
    }
    if (study.caseFile.writeCaseFile(casePath) != SF_DATA_OK) std::abort();
  }

  void open() {
    dialog.chooseFile(casePath);
    program->events->fileOpen();
    QApplication::processEvents();
  }
};

FullSizeProgram& fullSize() {
  static FullSizeProgram program;
  return program;
}

void BM_CellEditUntilResultsRedrawn(benchmark::State& state) {
  FullSizeProgram& p = fullSize();
  frmMain& window = *p.program->window;
  cSheetGrid& equipment = *window.equipmentSheet().grid();
  QWidget* results = window.results().grid()->table()->viewport();
  int n = 0;
  for (auto _ : state) {
    equipment.setNumber(9, 10, 100.0 + (n++ % 50));
    p.program->events->equipmentValueChanged(9, 10);
    results->repaint();
  }
  if (window.results().grid()->text(1, 1) != "Total") state.SkipWithError("results not shown");
}
BENCHMARK(BM_CellEditUntilResultsRedrawn)->Unit(benchmark::kMillisecond);

void BM_CellEditUntilChartRedrawn(benchmark::State& state) {
  FullSizeProgram& p = fullSize();
  frmMain& window = *p.program->window;
  cResultsChart& chart = window.resultsChart();
  window.resultTabs()->setCurrentWidget(&chart);
  QApplication::processEvents();
  QWidget* view = chart.findChild<QChartView*>()->viewport();
  cSheetGrid& equipment = *window.equipmentSheet().grid();
  int n = 0;
  for (auto _ : state) {
    equipment.setNumber(9, 10, 100.0 + (n++ % 50));
    p.program->events->equipmentValueChanged(9, 10);
    view->repaint();
  }
  if (chart.categories().size() != kEquipment + 1) state.SkipWithError("chart not drawn");
  window.resultTabs()->setCurrentIndex(0);
}
BENCHMARK(BM_CellEditUntilChartRedrawn)->Unit(benchmark::kMillisecond);


void BM_OpenFullSizeCaseUntilFirstReceptorShown(benchmark::State& state) {
  FullSizeProgram& p = fullSize();
  frmMain& window = *p.program->window;
  for (auto _ : state) {
    p.program->study.setCaseChanged(false);
    p.open();
    window.results().grid()->table()->viewport()->repaint();
  }
  if (p.program->study.colReceptors.size() != static_cast<std::size_t>(kReceptors))
    state.SkipWithError("case not opened");
}
BENCHMARK(BM_OpenFullSizeCaseUntilFirstReceptorShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
