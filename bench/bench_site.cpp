// The site plan at full size (100 receptors, 20 pieces of equipment, five
// barriers), offscreen with the real window: one piece dragged to a new place
// until the results sheet and the plan are drawn again (target under 16 ms),
// and the plan's part of it alone (the piece's 100 links and the selected
// receptor recomputed, without any drawing).

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

#include "SF_ScriptedDialog.h"
#include "app/gui/cMainEvents.h"
#include "app/gui/cProgram.h"
#include "app/gui/frmMain.h"
#include "app/gui/mMain.h"
#include "base/mProgramDirectory.h"
#include "bench/FullSizeCase.h"
#include "compute/mProcess.h"
#include "qtplatform/IDocumentOpener.h"
#include "qtplatform/cMemorySettingsStore.h"
#include "qtplatform/cSheetGrid.h"
#include "site/mSitePlan.h"
#include "site/ui/cEquipmentItem.h"
#include "site/ui/cSitePlanDock.h"
#include "site/ui/cSitePlanView.h"
#include "study/cScriptedMessageService.h"
#include "study/ui/cEquipmentSheet.h"
#include "study/ui/cReceptors.h"
#include "study/ui/cResults.h"

namespace {

class NoOpener : public IDocumentOpener {
public:
  bool openDocument(const std::string&, const std::string&, const std::string&) override { return false; }
};

// Receptors on a 10 x 10 grid 60 feet apart, the equipment in a row south of
// them, five barriers between.
void drawFullSizePlan(cStudy& study) {
  for (const auto& r : study.colReceptors) {
    const int i = r->rowID - 1;
    r->position = cSitePosition{(i % 10) * 60.0, 200.0 + (i / 10) * 60.0, 5};
  }
  for (const auto& e : study.colEquipment) e->position = cSitePosition{(e->rowID - 1) * 30.0, 0, 5};
  for (int b = 0; b < 5; ++b)
    study.sitePlan.barriers.push_back(
        cBarrier{"Barrier " + std::to_string(b + 1), {{b * 120.0, 100}, {b * 120.0 + 90, 110}, {b * 120.0 + 100, 140}}, 8});
}

struct FullSizePlan {
  cScriptedMessageService messages;
  SF_ScriptedDialog dialog;
  cMemorySettingsStore settings;
  NoOpener opener;
  std::unique_ptr<cProgram> program;
  cSitePlanDock* dock = nullptr;

  FullSizePlan() {
    cStartupServices services{messages, dialog, settings, opener, programDirectory(), [] {}};
    program = mMain::startup(services);
    if (!program) std::abort();
    cStudy& study = program->study;
    buildFullSizeCase(study, 2, 60, 70);
    drawFullSizePlan(study);
    mSitePlan::applyToLinks(study);
    program->window->equipmentSheet().display();
    program->window->receptors().display();
    study.setReceptorID(1);
    mProcess::processReceptor(study);
    dock = program->window->findChild<cSitePlanDock*>(QStringLiteral("sitePlanDock"));
    if (!dock) std::abort();
    dock->show();
    dock->zoomToFit();
    QApplication::processEvents();
  }
};

// Made on first use and let go before the application object, whose
// widgets it holds.
std::unique_ptr<FullSizePlan> fullSizePlan;

FullSizePlan& fullSize() {
  if (!fullSizePlan) fullSizePlan = std::make_unique<FullSizePlan>();
  return *fullSizePlan;
}

void BM_DragPieceUntilResultsAndPlanRedrawn(benchmark::State& state) {
  FullSizePlan& p = fullSize();
  QWidget* results = p.program->window->results().grid()->table()->viewport();
  QWidget* plan = p.dock->view()->viewport();
  int n = 0;
  for (auto _ : state) {
    cEquipmentItem* piece = p.dock->equipmentItem(10);
    // What the end of a drag hands over: the piece's new scene position.
    piece->moved(cSitePlanDock::toScene(270 + (n++ % 40), -(n % 30)));
    QApplication::processEvents();
    results->repaint();
    plan->repaint();
  }
  if (p.program->window->results().grid()->text(1, 1) != "Total") state.SkipWithError("results not shown");
}
BENCHMARK(BM_DragPieceUntilResultsAndPlanRedrawn)->Unit(benchmark::kMillisecond);

void BM_MovePieceInTheCoreAlone(benchmark::State& state) {
  cStudy study;
  buildFullSizeCase(study, 2, 60, 70);
  drawFullSizePlan(study);
  study.setReceptorID(1);
  int n = 0;
  for (auto _ : state) mSitePlan::placeEquipment(study, 10, cSitePosition{270.0 + (n++ % 40), 0, 5});
}
BENCHMARK(BM_MovePieceInTheCoreAlone)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fullSizePlan.reset();
  return 0;
}
