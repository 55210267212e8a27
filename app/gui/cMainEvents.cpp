#include "app/gui/cMainEvents.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <optional>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "app/gui/cRegistry.h"
#include "app/gui/cResultsRelay.h"
#include "app/gui/frmAbout.h"
#include "app/gui/frmBaselines.h"
#include "app/gui/frmL10Adjust.h"
#include "app/gui/frmMain.h"
#include "qtplatform/cCursorFile.h"
#include "qtplatform/cSheetGrid.h"
#include "qtplatform/IDocumentOpener.h"
#include "qtplatform/mCodePage.h"
#include "compute/mAsItStands.h"
#include "compute/mMitigation.h"
#include "compute/mOverview.h"
#include "compute/mProcess.h"
#include "compute/ui/cResultsChart.h"
#include "compute/ui/frmMitigation.h"
#include "compute/ui/frmOverview.h"
#include "programme/ui/cProgrammeWindows.h"
#include "criteria/ui/frmCriteria.h"
#include "criteria/ui/frmLimits.h"
#include "equipment/ui/frmModEquipList.h"
#include "report/qt/cPreparerSettings.h"
#include "report/ui/cPdfExporter.h"
#include "report/ui/frmReport.h"
#include "report/ui/frmReportDetails.h"
#include "SF_FilePrompt.h"
#include "study/cEquipment.h"
#include "study/cError.h"
#include "study/cStudy.h"
#include "study/IMessageService.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"
#include "study/mParseField.h"
#include "study/ui/cEquipmentSheet.h"
#include "study/ui/cReceptors.h"
#include "study/ui/cResults.h"
#include "vibration/ui/cVibrationTab.h"

namespace {

constexpr const char* kUserGuide = "Tarnwick_UserGuide.pdf";
constexpr const char* kLineBreaks = "\n\n";

// A number cell as a stored level or distance: a finite 32-bit float, or
// nothing for an empty cell or a number beyond the float range (which would
// be saved as "Infinity" and make the case file unreadable).
std::optional<float> cellFloat(const cSheetGrid& grid, int col, int row) {
  const std::optional<double> value = grid.number(col, row);
  if (!value || !std::isfinite(*value) || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*value);
}

std::string upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::string lmaxText(float value) { return isValueNA(value) ? std::string("N/A") : format0_0(value); }

}  // namespace

cMainEvents::cMainEvents(frmMain& window, cStudy& study, cEquipment& equipmentManager, Services services)
    : window_(window), study_(study), equipmentManager_(equipmentManager), services_(std::move(services)) {}

cMainEvents::~cMainEvents() = default;

frmOverview* cMainEvents::overview() const { return overview_; }

// ----------------------------------------------------------------- wiring

void cMainEvents::connectWindow() {
  auto route = [this](const char* name, std::function<void()> handler) {
    QAction* action = window_.menuItem(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
      commitPendingEdits();
      handler();
    });
  };
  route("mFile_0", [this] { fileNew(); });
  route("mFile_1", [this] { fileOpen(); });
  route("mFile_2", [this] { fileSave(); });
  route("mFile_3", [this] { fileSaveAs(); });
  route("mExport_0", [this] { fileExport(1); });
  route("mExport_1", [this] { fileExport(2); });
  route("mExport_2", [this] { fileExportPdf(); });
  route("mOptions_4", [this] { reportDetails(); });
  route("mFile_6", [this] { endSession(); });
  route("mEdit_0", [this] { editCopy(); });
  route("mEdit_1", [this] { editPaste(); });
  route("mEdit_2", [this] { editDelete(); });
  route("mEdit_3", [this] { editUndo(); });
  route("mZoom_1", [this] { setZoomMode(1); });
  route("mZoom_2", [this] { setZoomMode(2); });
  route("mOptions_0", [this] { modifyEquipmentList(); });
  route("mUnits_0", [this] { setUnits(0); });
  route("mUnits_1", [this] { setUnits(1); });
  route("mHelp_0", [this] { openUserGuide(); });
  route("mHelp_1", [this] { showAbout(); });
  route("mView_2", [this] { showOverview(); });
  route("mView_3", [this] { whatWouldItTake(); });
  route("mEdit_5", [this] { baselinesFromMeasurement(); });
  route("mProgramme_1", [this] { programmes().newProgramme(); });
  route("mProgramme_2", [this] { programmes().openProgramme(); });
  connect(&window_.resultsChart(), &cResultsChart::saveRequested, this, &cMainEvents::saveChart);
  window_.resultsRelay().resultsChanged = [this] {
    if (overview_) overview_->markStale();
    window_.vibrationTab().refresh();
  };

  const std::function<void()> buttons[] = {[this] { noiseLimitCriteria(); }, [this] { l10Calculation(); },
                                           [this] { noiseLimits(); }, [this] { checkInputData(); }};
  for (int i = 0; i < 4; ++i) {
    connect(window_.command(i), &QPushButton::clicked, this, [this, handler = buttons[i]] {
      commitPendingEdits();
      handler();
    });
  }
  connect(window_.cmboMetric(), &QComboBox::activated, this, &cMainEvents::metricChosen);
  connect(window_.txtCase(), &QLineEdit::textEdited, this, &cMainEvents::caseDescriptionEdited);

  // A click on the results sheet offers Copy, which copies it as a table.
  cSheetGrid* results = window_.results().grid();
  connect(results, &cSheetGrid::cellEntered, this, [this](int, int) { window_.setEditMenu(6); });
  connect(results, &cSheetGrid::blockSelected, this, [this](int, int, int, int, bool) { window_.setEditMenu(6); });

  // Delete over whole rows is Edit > Delete, also where a shortcut of a
  // dock or tab keeps the key from reaching the menu.
  const auto deleteRowsByKey = [this](cSheetGrid* grid) {
    return [this, grid] {
      const cGridBlock block = grid->selection();
      if (block.isEmpty() || block.col1 > 1 || block.col2 < grid->maxCols()) return false;
      QAction* item = window_.menuItem(QStringLiteral("mEdit_2"));
      if (!item || !item->isEnabled()) return false;
      item->trigger();
      return true;
    };
  };
  window_.receptors().grid()->deleteKeyTaken = deleteRowsByKey(window_.receptors().grid());
  window_.equipmentSheet().grid()->deleteKeyTaken = deleteRowsByKey(window_.equipmentSheet().grid());

  cSheetGrid* recep = window_.receptors().grid();
  connect(recep, &cSheetGrid::focusLost, this, &cMainEvents::receptorFocusLost);
  connect(recep, &cSheetGrid::focusEntered, this, [this] { study_.spreadFocus = 1; });
  connect(recep, &cSheetGrid::blockSelected, this,
          [this](int, int, int, int, bool wholeRows) { receptorBlockSelected(wholeRows); });
  connect(recep, &cSheetGrid::cellEntered, this, [this](int, int) { receptorCellEntered(); });
  connect(recep, &cSheetGrid::activeRowChanged, this, [this](int row, int) { receptorRowChanged(row); });
  connect(recep, &cSheetGrid::keyTyped, this, &cMainEvents::receptorKeyTyped);
  connect(recep, &cSheetGrid::valueChanged, this, &cMainEvents::receptorValueChanged);
  connect(recep, &cSheetGrid::listItemChosen, this, [this](int col, int row, int) {
    if (col == 2) receptorLandUseChosen(row);
  });
  connect(recep, &cSheetGrid::userEditStarted, this, &cMainEvents::userEditStarted);

  cSheetGrid* equip = window_.equipmentSheet().grid();
  connect(equip, &cSheetGrid::focusLost, this, &cMainEvents::equipmentFocusLost);
  connect(equip, &cSheetGrid::focusEntered, this, [this] { study_.spreadFocus = 2; });
  connect(equip, &cSheetGrid::blockSelected, this,
          [this](int, int, int, int, bool wholeRows) { equipmentBlockSelected(wholeRows); });
  connect(equip, &cSheetGrid::cellEntered, this, [this](int, int row) { equipmentCellEntered(row); });
  connect(equip, &cSheetGrid::keyTyped, this, &cMainEvents::equipmentKeyTyped);
  connect(equip, &cSheetGrid::checkBoxClicked, this, &cMainEvents::equipmentCheckBoxClicked);
  connect(equip, &cSheetGrid::valueChanged, this, &cMainEvents::equipmentValueChanged);
  connect(equip, &cSheetGrid::userEditStarted, this, &cMainEvents::userEditStarted);
  connect(equip, &cSheetGrid::lockedCellTyped, this, [this](int col, int) {
    window_.showStatus(col == 9 || col == 10
                           ? "Select a receptor first: distances and shielding belong to the receptor selected above."
                           : "Impact Device, Usage and the Lmax values come from the equipment list: choose a "
                             "Description to fill them in.");
  });
  connect(window_.results().grid(), &cSheetGrid::lockedCellTyped, this, [this](int, int) {
    window_.showStatus("The results are computed from the input data; they cannot be typed over.");
  });
}

void cMainEvents::commitPendingEdits() {
  window_.receptors().grid()->commitPendingEdit();
  window_.equipmentSheet().grid()->commitPendingEdit();
  const std::string text = storableText(mCodePage::fromQString(window_.txtCase()->text()));
  if (text != study_.caseDescription) {
    study_.caseDescription = text;
    study_.setCaseChanged(true);
  }
}

void cMainEvents::recompute() { mProcess::processReceptor(study_); }

bool cMainEvents::askYesNo(const std::string& text) {
  return services_.messages.show(text, "VORN", MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No) !=
         MessageAnswer::No;
}

bool cMainEvents::askBeforeLosingCase(const char* firstLine, const char* question) {
  if (!study_.caseChanged()) return true;
  return askYesNo(std::string(firstLine) + kLineBreaks + question);
}

void cMainEvents::refreshUnits() { window_.showUnits(study_.units); }

// ------------------------------------------------------------------- File

void cMainEvents::fileNew() {
  if (!askBeforeLosingCase("If you start a new case, without first saving the current case, the current case data "
                           "will be lost.",
                           "Do you want to start a new case?")) {
    return;
  }
  study_.setCaseChanged(false);
  study_.caseProcessed = false;
  study_.caseFile.closeCase();
  window_.vibrationTab().caseClosed();
  refreshUnits();
  // The snapshot belongs to the case just closed.
  window_.UndoMsgState(4);
  window_.setEditMenu(7);
}

void cMainEvents::fileOpen() {
  if (!askBeforeLosingCase("If you open a new case, without first saving the current case, the current case data "
                           "will be lost.",
                           "Do you want to open a new case?")) {
    return;
  }
  study_.setCaseChanged(false);
  study_.caseProcessed = false;
  caseOpenFinished(study_.caseFile.openCase(services_.prompt));
}

// After a case was opened, or an open failed: its vibration settings, the
// units, and the snapshot and menus of the case just closed.
void cMainEvents::caseOpenFinished(bool opened) {
  if (opened) {
    window_.vibrationTab().caseOpened(study_.caseFile.caseDirectory(), study_.caseFile.caseFileName(),
                                      services_.messages);
  } else {
    window_.vibrationTab().caseClosed();
  }
  refreshUnits();
  window_.UndoMsgState(4);
  window_.setEditMenu(7);
}

cProgrammeWindows& cMainEvents::programmes() {
  if (!programmes_)
    programmes_ = new cProgrammeWindows(services_.prompt, services_.messages, &window_,
                                        [this](const std::string& path) { openCasePath(path); });
  return *programmes_;
}

void cMainEvents::openCasePath(const std::string& path) {
  if (!askBeforeLosingCase("If you open a new case, without first saving the current case, the current case data "
                           "will be lost.",
                           "Do you want to open a new case?")) {
    return;
  }
  study_.setCaseChanged(false);
  study_.caseProcessed = false;
  study_.caseFile.closeCase();
#ifdef _WIN32
  const std::size_t separator = path.find_last_of("/\\");
#else
  const std::size_t separator = path.find_last_of('/');
#endif
  const std::string directory = separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
  caseOpenFinished(study_.caseFile.openCaseAt(directory, path.substr(directory.size())));
  window_.raise();
  window_.activateWindow();
}

bool cMainEvents::fileSave() {
  // Without a file there is nowhere to save over: ask for a name instead.
  if (!study_.caseFile.bCaseOpen) return fileSaveAs();
  if (!study_.caseFile.saveCase() || !saveVibration()) return false;
  study_.setCaseChanged(false);
  return true;
}

bool cMainEvents::fileSaveAs() {
  // A cancelled prompt or a failed write leaves the case unsaved, and Exit
  // must still ask about it.
  if (!study_.caseFile.saveCaseAs(services_.prompt) || !saveVibration()) return false;
  study_.setCaseChanged(false);
  return true;
}

// The vibration settings beside the case just written; a failure leaves the
// case unsaved, so Exit still asks.
bool cMainEvents::saveVibration() {
  return window_.vibrationTab().caseSaved(study_.caseFile.caseDirectory(), study_.caseFile.caseFileName(),
                                          services_.messages);
}

void cMainEvents::fileExport(int type) {
  frmReport dialog(study_, services_.prompt, &window_);
  dialog.SetFile(type);
  dialog.setShowInputAtFault([this] { showInputAtFault(); });
  dialog.exec();
}

void cMainEvents::fileExportPdf() {
  cPdfExporter(study_, equipmentManager_.colList, services_.prompt, services_.registry.store()).exportPdf();
}

void cMainEvents::reportDetails() {
  cPreparerSettings settings(services_.registry.store());
  frmReportDetails dialog(&window_);
  dialog.setPreparer(settings.read());
  if (dialog.exec() == QDialog::Accepted && !settings.save(dialog.preparer()))
    services_.messages.show("Problem saving the report details.", "VORN", MessageIcon::Critical);
}

bool cMainEvents::endSession() {
  if (study_.caseChanged() &&
      !askYesNo(std::string("If you exit, without first saving the current case, the current case data will be lost.") +
                kLineBreaks + "Do you want to exit?")) {
    return false;
  }
  if (study_.equipmentChanged &&
      !askYesNo(std::string("If you exit, without first saving the modified equipment list, the modified equipment "
                            "will be lost.") +
                kLineBreaks + "Do you want to exit?")) {
    return false;
  }
  if (programmes_ && !programmes_->closeAll()) return false;
  services_.registry.saveSettings(study_);
  if (services_.quit) services_.quit();
  return true;
}

namespace {

// Moves to the input at fault as the check with messages does, without
// the message: the caller has already said why it stopped.
class cQuietMessages : public IMessageService {
public:
  MessageAnswer show(const std::string&, const std::string&, MessageIcon, MessageButtons,
                     MessageAnswer defaultButton) override {
    return defaultButton;
  }
};

}  // namespace

void cMainEvents::showInputAtFault() {
  const std::int32_t id = study_.receptorID();
  if (id > 0) window_.receptors().grid()->setActiveCell(1, id);
  cQuietMessages quiet;
  study_.attachViews(&window_, &window_.receptors(), &window_.equipmentSheet(), &window_.resultsView(), &quiet);
  bool showMessages = true;
  cError(study_).checkInput(showMessages);
  study_.attachViews(&window_, &window_.receptors(), &window_.equipmentSheet(), &window_.resultsView(),
                     &services_.messages);
}

// ------------------------------------------------------------------- Edit

void cMainEvents::editCopy() {
  // The results sheet copies as a table; the input sheets as the study says.
  if (window_.results().grid()->table()->hasFocus()) {
    window_.results().copyTable();
    return;
  }
  study_.copy();
}

void cMainEvents::editPaste() {
  pasting_ = true;
  study_.paste();
  pasting_ = false;
}

void cMainEvents::editDelete() {
  if (study_.spreadFocus == 1) {
    window_.receptors().Delete();
  } else if (study_.spreadFocus == 2) {
    window_.equipmentSheet().Delete();
  } else {
    return;
  }
  study_.setCaseChanged(true);
}

void cMainEvents::editUndo() {
  study_.restoreState();
  // The case now differs from what was saved, whatever it was before.
  study_.setCaseChanged(true);
}

// ------------------------------------------------------------------- Zoom

void cMainEvents::applyZoomCursor(int mode) {
  if (mode == 0) {
    window_.unsetCursor();
    return;
  }
  QCursor cursor(mode == 1 ? Qt::CrossCursor : Qt::PointingHandCursor);
  cCursorFile::load(services_.programDir + (mode == 1 ? "zoom_in.cur" : "zoom_out.cur"), cursor);
  window_.setCursor(cursor);
}

void cMainEvents::setZoomMode(int mode) {
  zoomMode_ = mode;
  const bool enabled = mode == 0;
  window_.receptors().grid()->setEnabled(enabled);
  window_.equipmentSheet().grid()->setEnabled(enabled);
  window_.results().grid()->setEnabled(enabled);
  window_.resultTabs()->setEnabled(enabled);
  window_.command(3)->setEnabled(enabled);

  QAction* zoomIn = window_.menuItem(QStringLiteral("mZoom_1"));
  QAction* zoomOut = window_.menuItem(QStringLiteral("mZoom_2"));
  zoomIn->setChecked(mode == 1);
  zoomOut->setChecked(mode == 2);
  if (mode == 1) {
    zoomIn->setEnabled(true);
    zoomOut->setEnabled(false);
  } else if (mode == 2) {
    zoomOut->setEnabled(true);
    zoomIn->setEnabled(false);
  } else {
    zoomIn->setEnabled(!frameZoomed_);
    zoomOut->setEnabled(frameZoomed_);
  }
  applyZoomCursor(mode);
}

void cMainEvents::frameClicked(int frame) {
  if (zoomMode_ == 1) {
    if (frame == 0) window_.enlargeInputFrame();
    else window_.enlargeResultFrame();
    frameZoomed_ = true;
  } else if (zoomMode_ == 2) {
    window_.layoutNormal();
    frameZoomed_ = false;
  } else {
    return;
  }
  setZoomMode(0);
}

// --------------------------------------------------------- Options, Help

void cMainEvents::modifyEquipmentList() {
  frmModEquipList dialog(study_, equipmentManager_.colList, services_.prompt, services_.programDir,
                         [this] { window_.equipmentSheet().loadDescriptions(); }, &window_);
  dialog.exec();
}

void cMainEvents::setUnits(int units) {
  if (units != 0 && study_.units == 0) {
    study_.recomputeDistance(1);
    study_.displayLinks();
  } else if (units == 0 && study_.units == 1) {
    study_.recomputeDistance(0);
    study_.displayLinks();
  }
  const std::int32_t chosen = units == 0 ? 0 : 1;
  // The units and the distances in them are saved with the case.
  if (chosen != study_.units) study_.setCaseChanged(true);
  study_.units = chosen;
  refreshUnits();
}

void cMainEvents::openUserGuide() {
  bool opened = false;
  try {
    opened = services_.opener.openDocument(services_.programDir, kUserGuide, "");
  } catch (...) {
    opened = false;
  }
  if (!opened) services_.messages.show(std::string("Error openning ") + kUserGuide, "VORN", MessageIcon::Critical);
}

void cMainEvents::showAbout() {
  frmAbout about(&window_);
  about.exec();
}

// ---------------------------------------------------------------- Buttons

void cMainEvents::noiseLimitCriteria() {
  frmCriteria dialog(study_, services_.prompt, services_.programDir, &window_);
  dialog.exec();
  const cCriteriaOutcome outcome = dialog.outcome();
  outcome.apply(study_);
  // Default criteria bring the study back to L10; the list shows it and the
  // results are relabelled whether or not L10 was shown before.
  if (outcome.accepted && outcome.defaultLoaded) window_.showNoiseMetric(study_.NoiseMetric);
}

void cMainEvents::l10Calculation() {
  frmL10Adjust dialog(services_.messages, &window_);
  dialog.setAdjustment(study_.adjustmentFactor);
  dialog.setDefaultAdjustment(study_.adjustmentFactorDefault);
  dialog.exec();
  if (!dialog.changed()) return;
  study_.adjustmentFactor = dialog.adjustment();
  study_.setCaseChanged(true);
  // L10 results shown and exported follow the new adjustment at once.
  recompute();
}

void cMainEvents::noiseLimits() {
  // The receptor with its messages, then the criteria quietly, so the user
  // sees at most one message.
  if (!study_.NoiseLimits.Limits.readyToShow()) return;
  frmLimits dialog(study_, &window_);
  dialog.exec();
}

void cMainEvents::checkInputData() {
  mProcess::processReceptor(study_, true);
  window_.results().clearSelection();
}

// ----------------------------------------------------- Metric, description

void cMainEvents::metricChosen(int index) {
  const QString text = window_.cmboMetric()->itemText(index);
  const std::int32_t was = study_.NoiseMetric;
  if (text == QLatin1String("L10")) study_.NoiseMetric = 2;
  else if (text == QLatin1String("Leq")) study_.NoiseMetric = 1;
  // The metric is saved with the case; showing an opened case's own metric
  // changes nothing.
  if (metricReady_ && study_.NoiseMetric != was) study_.setCaseChanged(true);
  if (metricReady_) {
    window_.results().metricLable(study_.NoiseMetric);
    window_.command(1)->setVisible(study_.NoiseMetric == 2);
    recompute();
  }
  metricReady_ = true;
}

void cMainEvents::caseDescriptionEdited() {
  study_.caseDescription = storableText(mCodePage::fromQString(window_.txtCase()->text()));
  study_.setCaseChanged(true);
}

void cMainEvents::caseDescriptionLeft() {
  study_.caseDescription = storableText(mCodePage::fromQString(window_.txtCase()->text()));
  study_.setCaseChanged(true);
}

// --------------------------------------------------------- Receptor sheet

// A record created here is linked at once: a piece of equipment without a
// link to the current receptor would pass the distance check and be left out
// of its totals without a word.
void cMainEvents::ensureReceptor(int row) {
  const auto had = static_cast<int>(study_.colReceptors.size());
  for (int id = had + 1; id <= row; ++id) study_.addReceptor(id);
  if (row > had) study_.updateLinks();
}

void cMainEvents::ensureEquipment(int row) {
  const auto had = static_cast<int>(study_.colEquipment.size());
  for (int id = had + 1; id <= row; ++id) study_.addEquipment(id);
  if (row > had) study_.updateLinks();
}

void cMainEvents::receptorFocusLost() {
  // The loss is reported after the event that moved the focus: when that
  // gave the equipment sheet the focus, its own claim stands.
  if (study_.spreadFocus == 1) study_.spreadFocus = 0;
  window_.receptors().grid()->clearSelection();
  study_.updateLinks();
}

void cMainEvents::receptorBlockSelected(bool wholeRows) {
  study_.spreadFocus = 1;
  window_.setEditMenu(wholeRows ? 5 : 6);
}

void cMainEvents::receptorCellEntered() {
  // A single cell is a selection to copy from too.
  study_.spreadFocus = 1;
  window_.setEditMenu(6);
}

void cMainEvents::receptorRowChanged(int row) {
  if (row < 1) return;
  study_.setReceptorID(row);
  study_.outlineReceptor(row);
  recompute();
}

void cMainEvents::keyTyped(int code) {
  if (code == 3) {
    editCopy();
  } else if (code == 22) {
    editPaste();
  } else {
    study_.editOperation = 3;
  }
}

void cMainEvents::receptorKeyTyped(int code) { keyTyped(code); }

void cMainEvents::userEditStarted() {
  // A paste holds its own snapshot; a Delete-key clear takes one for all
  // the cells it empties.
  if (pasting_) return;
  study_.holdState(3);
}

void cMainEvents::receptorValueChanged(int col, int row) {
  if (col < 1 || row < 1) return;
  cSheetGrid& grid = *window_.receptors().grid();
  // Every user edit outside a paste or a block clear is one undo step, so
  // Undo never goes back past the edit its caption names.
  if (!pasting_ && !grid.inUserBatch() && !receptorHeld_) {
    study_.editOperation = 3;
    study_.holdState(3);
  }
  receptorHeld_ = false;
  study_.setCaseChanged(true);
  ensureReceptor(row);
  std::shared_ptr<cReceptorRecord> receptor;
  if (!study_.getReceptor(receptor, row)) return;
  study_.setReceptorID(row);
  switch (col) {
    case 1:
      receptor->description = storableText(grid.text(1, row));
      if (grid.text(1, row) != receptor->description) grid.setText(1, row, receptor->description);
      break;
    case 2: receptor->setLandUseTxt(grid.text(2, row)); break;
    case 3:
    case 4:
    case 5: {
      const std::optional<float> value = cellFloat(grid, col, row);
      if (!value && !grid.isEmpty(col, row)) grid.clearValues(col, row, col, row);
      const float stored = value.value_or(0.0f);
      if (col == 3) receptor->dayBase = stored;
      else if (col == 4) receptor->eveBase = stored;
      else receptor->niteBase = stored;
      break;
    }
    default: break;
  }
  study_.updateLinks();
  recompute();
}

void cMainEvents::receptorLandUseChosen(int row) {
  if (row < 1) return;
  if (!pasting_) {
    study_.holdState(3);
    receptorHeld_ = true;
  }
  ensureReceptor(row);
  std::shared_ptr<cReceptorRecord> receptor;
  if (!study_.getReceptor(receptor, row)) return;
  receptor->setLandUseTxt(window_.receptors().grid()->text(2, row));
  study_.setCaseChanged(true);
  recompute();
  study_.setReceptorID(row);
  recompute();
  window_.setEditMenu(3);
}

// -------------------------------------------------------- Equipment sheet

void cMainEvents::equipmentFocusLost() {
  if (study_.spreadFocus == 2) study_.spreadFocus = 0;
  window_.equipmentSheet().grid()->clearSelection();
}

void cMainEvents::equipmentBlockSelected(bool wholeRows) {
  study_.spreadFocus = 2;
  window_.setEditMenu(wholeRows ? 5 : 6);
}

void cMainEvents::equipmentCellEntered(int row) {
  study_.spreadFocus = 2;
  window_.equipmentSheet().LinkInputLock(row);
  window_.setEditMenu(6);
}

void cMainEvents::equipmentKeyTyped(int code) { keyTyped(code); }

void cMainEvents::equipmentCheckBoxClicked(int col, int row, bool checked) {
  if (window_.gSoftwareButton || row < 1) return;
  cSheetGrid& grid = *window_.equipmentSheet().grid();
  // A box that would select an "N/A" Lmax is refused, for either box, and a
  // refused click changes nothing: no undo step, no change to save.
  std::shared_ptr<cEquipmentRecord> existing;
  if ((col == 5 || col == 7) && study_.getEquipment(existing, row)) {
    const bool selectsSpec = col == 5 ? checked : !checked;
    if (isValueNA(selectsSpec ? existing->spec_lmax : existing->actual_lmax)) {
      grid.setChecked(col, row, !checked);
      return;
    }
  }
  // Each click is one user action and one undo step.
  if (!pasting_) {
    study_.holdState(3);
    window_.setEditMenu(3);
  }
  ensureEquipment(row);
  study_.setCaseChanged(true);
  std::shared_ptr<cEquipmentRecord> equipment;
  if (!study_.getEquipment(equipment, row)) return;
  switch (col) {
    case 1: equipment->active = checked; break;
    case 3: equipment->impactDevice = checked ? 0 : 1; break;
    case 5:
      equipment->spec_select = checked;
      grid.setChecked(7, row, !checked);
      break;
    case 7:
      equipment->spec_select = !checked;
      grid.setChecked(5, row, !checked);
      break;
    default: break;
  }
  recompute();
}

void cMainEvents::equipmentValueChanged(int col, int row) {
  if (col < 1 || row < 1) return;
  cEquipmentSheet& sheet = window_.equipmentSheet();
  cSheetGrid& grid = *sheet.grid();
  const bool snapshot = !pasting_ && !grid.inUserBatch();
  if (snapshot) {
    study_.editOperation = 3;
    study_.holdState(3);
  }
  study_.setCaseChanged(true);
  ensureEquipment(row);
  std::shared_ptr<cEquipmentRecord> equipment;
  if (!study_.getEquipment(equipment, row)) return;
  switch (col) {
    case 1:
      sheet.LinkInputLock(row);
      equipment->active = grid.isChecked(1, row);
      break;
    case 2:
      equipment->description = storableText(grid.text(2, row));
      if (grid.text(2, row) != equipment->description) grid.setText(2, row, equipment->description);
      fillFromList(row, grid.listIndex(2, row));
      break;
    case 3: equipment->impactDevice = grid.isChecked(3, row) ? 0 : 1; break;
    case 4: {
      const std::optional<float> fraction = cellFloat(grid, 4, row);
      const double usage = fraction ? static_cast<double>(*fraction) * 100.0 : 0.0;
      equipment->usage = std::fabs(usage) <= std::numeric_limits<float>::max() ? static_cast<float>(usage) : 0.0f;
      break;
    }
    case 5: {
      const bool spec = grid.isChecked(5, row);
      const bool selectsNA = spec ? isValueNA(equipment->spec_lmax) : isValueNA(equipment->actual_lmax);
      if (!selectsNA) equipment->spec_select = spec;
      break;
    }
    case 6:
    case 8: {
      const std::string text = upper(grid.text(col, row));
      grid.setText(col, row, text);
      float& lmax = col == 6 ? equipment->spec_lmax : equipment->actual_lmax;
      if (const std::optional<float> value = parseFloatField(text)) lmax = *value;
      else if (text == "N/A") lmax = valueNA;
      break;
    }
    case 9:
    case 10: {
      std::shared_ptr<cLinkRecord> link;
      bool found = study_.getLink(link, study_.receptorID(), row);
      if (!found && col == 9) {
        study_.updateLinks();
        found = study_.getLink(link, study_.receptorID(), row);
      }
      if (!found) break;
      if (sheet.LinkInputLock(row)) {
        grid.clearValues(col, row, col, row);
        break;
      }
      const std::optional<float> value = cellFloat(grid, col, row);
      if (!value && !grid.isEmpty(col, row)) grid.clearValues(col, row, col, row);
      (col == 9 ? link->distance : link->sheilding) = value.value_or(0.0f);
      break;
    }
    default: break;
  }
  recompute();
}

void cMainEvents::fillFromList(int row, int index) {
  // Text that is not an entry of the list (pasted, or a list without
  // entries) keeps the description alone.
  const auto& list = equipmentManager_.colList;
  if (index < 0 || index >= static_cast<int>(list.size()) || row < 1) return;
  study_.setCaseChanged(true);
  const std::shared_ptr<cEquipmentRecord> entry = list[static_cast<std::size_t>(index)];
  ensureEquipment(row);
  study_.updateLinks();
  std::shared_ptr<cEquipmentRecord> equipment;
  if (!study_.getEquipment(equipment, row)) return;

  cSheetGrid& grid = *window_.equipmentSheet().grid();
  window_.gSoftwareButton = true;
  grid.setChecked(1, row, true);
  equipment->active = true;
  equipment->impactDevice = entry->impactDevice;
  equipment->usage = entry->usage;
  equipment->spec_select = entry->spec_select;
  equipment->spec_lmax = entry->spec_lmax;
  equipment->actual_lmax = entry->actual_lmax;
  grid.setChecked(3, row, equipment->impactDevice == 0);
  grid.setNumber(4, row, equipment->usage / 100.0);
  grid.setChecked(5, row, equipment->spec_select);
  grid.setChecked(7, row, !equipment->spec_select);
  grid.setText(6, row, lmaxText(equipment->spec_lmax));
  grid.setText(8, row, lmaxText(equipment->actual_lmax));
  // The shielding shown and the one computed stay the same value.
  std::shared_ptr<cLinkRecord> link;
  if (study_.getLink(link, study_.receptorID(), row)) {
    link->sheilding = 0.0f;
    grid.setNumber(10, row, 0.0);
  }
  window_.gSoftwareButton = false;
}

// ------------------------------------------------- Overview and remedies

namespace {

std::string receptorCaption(const cReceptorRecord& r, std::int32_t id) {
  return "Receptor " + std::to_string(id) + (r.description.empty() ? std::string() : ": " + r.description);
}

}  // namespace

std::shared_ptr<cReceptorRecord> cMainEvents::selectedReceptorOrSay() {
  std::shared_ptr<cReceptorRecord> receptor;
  if (study_.receptorID() == 0 || !study_.getReceptor(receptor, study_.receptorID())) {
    services_.messages.show("Please select a receptor first.", "VORN", MessageIcon::Critical);
    return nullptr;
  }
  return receptor;
}

void cMainEvents::refreshOverview() {
  if (overview_) overview_->setOverview(mOverview::overview(study_));
}

void cMainEvents::showOverview() {
  if (!overview_) {
    overview_ = new frmOverview(study_, &window_);
    overview_->setAttribute(Qt::WA_DeleteOnClose);
    connect(overview_, &frmOverview::refreshRequested, this, &cMainEvents::refreshOverview);
    connect(overview_, &frmOverview::receptorChosen, this, &cMainEvents::selectReceptor);
  }
  refreshOverview();
  overview_->show();
  overview_->raise();
}

void cMainEvents::selectReceptor(int receptorID) {
  std::shared_ptr<cReceptorRecord> receptor;
  if (!study_.getReceptor(receptor, receptorID)) return;
  // As a click on the row does: the sheet's cursor moves, then the row
  // change is handled (the program's own moves raise no event).
  window_.receptors().grid()->setActiveCell(1, receptorID);
  receptorRowChanged(receptorID);
  window_.activateWindow();
  window_.raise();
}

void cMainEvents::whatWouldItTake() {
  const std::shared_ptr<cReceptorRecord> receptor = selectedReceptorOrSay();
  if (!receptor) return;
  const std::int32_t id = study_.receptorID();
  // The receptor as it stands, not results left from before an edit that
  // made the input incomplete.
  const std::shared_ptr<cReceptorRecord> computed = mAsItStands::computeReceptor(study_, id);
  if (!computed) {
    services_.messages.show("The input data of this receptor is incomplete. Press \"Check Input Data\" to see what "
                            "is missing.",
                            "VORN", MessageIcon::Critical);
    return;
  }
  frmMitigation dialog(study_, &window_);
  dialog.setNeeds(receptorCaption(*receptor, id), mMitigation::needs(study_, *computed, id));
  if (dialog.exec() != QDialog::Accepted || !dialog.chosenNeed()) return;
  if (mMitigation::apply(study_, *dialog.chosenNeed(), dialog.chosenRemedy())) window_.setEditMenu(3);
}

void cMainEvents::baselinesFromMeasurement() {
  const std::shared_ptr<cReceptorRecord> receptor = selectedReceptorOrSay();
  if (!receptor) return;
  const std::int32_t id = study_.receptorID();
  SF_FilePrompt& prompt = services_.prompt;
  prompt.OpenMode(SF_READ);
  prompt.MultipleFiles(false);
  prompt.FilePrompt("Spectral Time-History File");
  prompt.FileSuffix("sth");
  if (prompt.getFile() != SF_FILE_OK) return;
  const std::string path = prompt.Directory() + prompt.FileName(1);

  frmBaselines dialog(&window_);
  dialog.setReceptor(receptorCaption(*receptor, id), receptor->dayBase, receptor->eveBase, receptor->niteBase);
  const bool readable = dialog.setMeasurement([path](SF_BASELINE_STATISTIC statistic, SF_MeasuredBaselines& out) {
    return out.read(path, statistic);
  });
  if (!readable) {
    services_.messages.show(dialog.message(), "VORN", MessageIcon::Critical);
    return;
  }
  if (dialog.exec() != QDialog::Accepted) return;

  study_.holdState(3);
  study_.setCaseChanged(true);
  float* baselines[3] = {&receptor->dayBase, &receptor->eveBase, &receptor->niteBase};
  cSheetGrid& grid = *window_.receptors().grid();
  for (int p = 0; p < 3; ++p) {
    const std::optional<float> value = dialog.baseline(p);
    if (!value) continue;
    *baselines[p] = *value;
    grid.setNumber(3 + p, id, *value);
  }
  recompute();
  window_.setEditMenu(3);
}

void cMainEvents::saveChart(const QString& format) {
  const bool svg = format == QLatin1String("svg");
  SF_FilePrompt& prompt = services_.prompt;
  prompt.OpenMode(SF_WRITE);
  prompt.MultipleFiles(false);
  prompt.FilePrompt(svg ? "SVG Drawing" : "PNG Image");
  prompt.FileSuffix(svg ? "svg" : "png");
  if (prompt.getFile() != SF_FILE_OK) return;
  std::string path = prompt.Directory() + prompt.FileName(1);
  // A name typed without its type gets the one chosen; any other name is
  // written as what its ending says.
  const std::string name = prompt.FileName(1);
  if (name.find('.') == std::string::npos) path += svg ? ".svg" : ".png";
  if (!window_.resultsChart().saveImage(path))
    services_.messages.show("Error saving chart to " + path, "VORN", MessageIcon::Critical);
}
