#include "app/gui/mMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/gui/cMainEvents.h"
#include "app/gui/cProgram.h"
#include "app/gui/frmMain.h"
#include "qtplatform/cSheetGrid.h"
#include "site/ui/cNoiseMapDock.h"
#include "site/ui/cSitePlanDock.h"
#include "site/ui/cSitePlanView.h"
#include "equipment/mEquipmentListFile.h"
#include "study/ui/cEquipmentSheet.h"
#include "study/ui/cReceptors.h"
#include "study/ui/cResults.h"

namespace mMain {

std::unique_ptr<cProgram> startup(const cStartupServices& services) {
  auto program = std::make_unique<cProgram>(services.fileDialog, services.settings);
  cStudy& study = program->study;

  // 1. Without its equipment list the program cannot work.
  if (!loadDefaultEquipmentList(program->equipmentManager, services.programDir, services.messages)) return nullptr;

  program->window = std::make_unique<frmMain>(study, program->equipmentManager);
  frmMain& window = *program->window;
  program->events = std::make_unique<cMainEvents>(
      window, study, program->equipmentManager,
      cMainEvents::Services{services.messages, program->prompt, services.opener, program->registry,
                            services.programDir, services.quit});
  cMainEvents& events = *program->events;
  window.setEvents(&events);
  auto* sitePlan = new cSitePlanDock(
      study, window, {[&events](int id) { events.selectReceptor(id); }, program->prompt, services.messages});
  auto* noiseMap = new cNoiseMapDock(study, window, *sitePlan->scene(), *sitePlan->view(), sitePlan,
                                     {&program->prompt, &services.messages});
  study.attachViews(&window, &window.receptors(), &window.equipmentSheet(),
                    &sitePlan->resultsView(noiseMap->resultsView(window.resultsView())), &services.messages);
  study.caseFile.attachView(&window);
  study.caseFile.attachSiteFile(&cSitePlanDock::siteFile());

  // 2-3. Caption and settings.
  window.displayCaption("");
  program->registry.programName = "Corvath VORN";
  program->registry.getSettings(study);

  // 4. The metric list; its first choice only sets the metric.
  window.cmboMetric()->addItem(QStringLiteral("L10"));
  window.cmboMetric()->addItem(QStringLiteral("Leq"));
  window.cmboMetric()->setCurrentIndex(0);
  events.metricChosen(0);

  // 5-6. Criteria and sheets.
  study.NoiseLimits.setDefaultLimits();
  window.equipmentSheet().initialize();
  window.receptors().initialize();
  window.results().initialize();
  window.showUnits(study.units);
  events.connectWindow();

  // 7-9. The window, zoom off, frames in place.
  window.show();
  events.setZoomMode(0);
  window.layoutNormal();
  window.fitToScreen();

  // 10-19. The initial state.
  study.setProcessButtonOn(2);
  study.outlineReceptor(1);
  study.NoiseLimits.Criteria.clearCriteria();
  study.NoiseLimits.Criteria.clearHold();
  window.command(1)->setVisible(true);
  window.txtCase()->setToolTip(QStringLiteral("Comment will be saved with this case."));
  window.command(3)->setToolTip(
      QStringLiteral("Press for detailed message and to see the location of improper input data."));
  study.setCaseChanged(false);
  window.command(0)->setFocus();
  window.UndoMsgState(4);
  window.setEditMenu(7);
  window.setSaveEnabled(false);
  return program;
}

}  // namespace mMain
