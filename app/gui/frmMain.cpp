#include "app/gui/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/gui/cMainEvents.h"
#include "app/gui/cResultsRelay.h"
#include "qtplatform/cSheetGrid.h"
#include "qtplatform/mCodePage.h"
#include "compute/ui/cResultsChart.h"
#include "compute/ui/cResultsTips.h"
#include "study/cStudy.h"
#include "study/ui/cEquipmentSheet.h"
#include "study/ui/cReceptors.h"
#include "study/ui/cResults.h"
#include "vibration/ui/cVibrationTab.h"

namespace {

constexpr const char* kTitle = "Vornhall (VORN)";

// Rows each sheet shows in the normal layout and in a zoomed frame.
constexpr int kReceptorRows = 4;
constexpr int kEquipmentRows = 6;
constexpr int kResultRows = 6;
constexpr int kReceptorRowsZoomed = 8;
constexpr int kEquipmentRowsZoomed = 20;
constexpr int kResultRowsZoomed = 30;
// Pixels the chart needs for its axes, bars and legend.
constexpr int kChartHeight = 340;

QColor fromBGR(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

frmMain::frmMain(cStudy& study, cEquipment& equipmentManager, QWidget* parent)
    : QMainWindow(parent), study_(study) {
  setObjectName(QStringLiteral("frmMain"));
  receptors_ = std::make_unique<cReceptors>(study);
  equipment_ = std::make_unique<cEquipmentSheet>(study, equipmentManager);
  results_ = std::make_unique<cResults>(study);
  receptors_->setSoftwareButtonFlag(&gSoftwareButton);
  equipment_->setSoftwareButtonFlag(&gSoftwareButton);
  results_->setSoftwareButtonFlag(&gSoftwareButton);
  chart_ = new cResultsChart(study, this);
  relay_ = std::make_unique<cResultsRelay>(*results_, *chart_);
  tips_ = new cResultsTips(study, *results_->grid());
  buildMenus();
  buildControls();
  setWindowTitle(QString::fromLatin1(kTitle));
  // Room for the equipment sheet's ten columns and the results' fifteen.
  resize(1280, 820);
}

frmMain::~frmMain() = default;

void frmMain::setEvents(cMainEvents* events) { events_ = events; }

IResultsSheetView& frmMain::resultsView() { return *relay_; }

// ------------------------------------------------------------------ menus

QAction* frmMain::addItem(QMenu* menu, const QString& name, const QString& caption) {
  QAction* action = caption.isEmpty() ? menu->addSeparator() : menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

void frmMain::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mFile"));
  addItem(file, QStringLiteral("mFile_0"), QStringLiteral("&New"));
  addItem(file, QStringLiteral("mFile_1"), QStringLiteral("&Open..."));
  addItem(file, QStringLiteral("mFile_2"), QStringLiteral("Save"));
  addItem(file, QStringLiteral("mFile_3"), QStringLiteral("&Save As..."));
  QMenu* exportMenu = file->addMenu(QStringLiteral("&Export Results..."));
  exportMenu->setObjectName(QStringLiteral("mExport"));
  exportMenu->menuAction()->setObjectName(QStringLiteral("mFile_4"));
  addItem(exportMenu, QStringLiteral("mExport_0"), QStringLiteral("CSV File"));
  addItem(exportMenu, QStringLiteral("mExport_1"), QStringLiteral("TXT File"));
  addItem(exportMenu, QStringLiteral("mExport_2"), QStringLiteral("PDF Report..."));
  addItem(file, QStringLiteral("mFile_5"), QString());
  addItem(file, QStringLiteral("mFile_6"), QStringLiteral("&Exit"));
  addItem(file, QStringLiteral("mProgramme_0"), QString());
  addItem(file, QStringLiteral("mProgramme_1"), QStringLiteral("New &Programme"));
  addItem(file, QStringLiteral("mProgramme_2"), QStringLiteral("Open Pro&gramme..."));

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("mEdit"));
  const char* editCaptions[] = {"Copy", "Paste", "Delete", "Undo"};
  for (int i = 0; i < mEditMenu::itemCount; ++i) {
    editItems_[static_cast<std::size_t>(i)] =
        addItem(edit, QStringLiteral("mEdit_%1").arg(i), QString::fromLatin1(editCaptions[i]));
  }
  addItem(edit, QStringLiteral("mEdit_4"), QString());
  addItem(edit, QStringLiteral("mEdit_5"), QStringLiteral("&Baselines from a Measurement..."));

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  view->setObjectName(QStringLiteral("mView"));
  QMenu* zoom = view->addMenu(QStringLiteral("&Zoom"));
  zoom->setObjectName(QStringLiteral("mZoom"));
  zoom->menuAction()->setObjectName(QStringLiteral("mView_0"));
  addItem(zoom, QStringLiteral("mZoom_1"), QStringLiteral("Zoom +"))->setCheckable(true);
  addItem(zoom, QStringLiteral("mZoom_2"), QStringLiteral("Zoom -"))->setCheckable(true);
  addItem(view, QStringLiteral("mView_1"), QString());
  addItem(view, QStringLiteral("mView_2"), QStringLiteral("Receptor &Overview..."));
  addItem(view, QStringLiteral("mView_3"), QStringLiteral("&What Would It Take..."));

  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  options->setObjectName(QStringLiteral("mOptions"));
  addItem(options, QStringLiteral("mOptions_0"), QStringLiteral("&Modify the Equipment List"));
  addItem(options, QStringLiteral("mOptions_1"), QString());
  QMenu* units = options->addMenu(QStringLiteral("&Units"));
  units->setObjectName(QStringLiteral("mUnits"));
  units->menuAction()->setObjectName(QStringLiteral("mOptions_2"));
  addItem(units, QStringLiteral("mUnits_0"), QStringLiteral("Feet"))->setCheckable(true);
  addItem(units, QStringLiteral("mUnits_1"), QStringLiteral("Meters"))->setCheckable(true);
  addItem(options, QStringLiteral("mOptions_3"), QString());
  addItem(options, QStringLiteral("mOptions_4"), QStringLiteral("&Report Details..."));

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mHelp"));
  addItem(help, QStringLiteral("mHelp_0"), QStringLiteral("User Guide"));
  addItem(help, QStringLiteral("mHelp_1"), QStringLiteral("&About"));
}

QAction* frmMain::menuItem(const QString& name) const { return findChild<QAction*>(name); }

// --------------------------------------------------------------- controls

void frmMain::buildControls() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("centralWidget"));
  setCentralWidget(central);
  auto* layout = new QVBoxLayout(central);

  // Case description, metric and the noise-limit buttons above the frames.
  topRow_ = new QWidget(central);
  auto* top = new QHBoxLayout(topRow_);
  top->setContentsMargins(0, 0, 0, 0);
  auto* caseLabel = new QLabel(QStringLiteral("Case Description:"), topRow_);
  txtCase_ = new QLineEdit(topRow_);
  txtCase_->setObjectName(QStringLiteral("txtCase"));
  txtCase_->setAccessibleName(QStringLiteral("Case Description:"));
  caseLabel->setBuddy(txtCase_);
  txtCase_->installEventFilter(this);
  auto* metricLabel = new QLabel(QStringLiteral("Noise Metric:"), topRow_);
  cmboMetric_ = new QComboBox(topRow_);
  cmboMetric_->setObjectName(QStringLiteral("cmboMetric"));
  cmboMetric_->setAccessibleName(QStringLiteral("Noise Metric:"));
  metricLabel->setBuddy(cmboMetric_);
  top->addWidget(caseLabel);
  top->addWidget(txtCase_, 1);
  top->addWidget(metricLabel);
  top->addWidget(cmboMetric_);

  frameCriteria_ = new QGroupBox(topRow_);
  frameCriteria_->setObjectName(QStringLiteral("frameCriteria"));
  frameCriteria_->setAccessibleName(QStringLiteral("Noise Limits"));
  auto* criteria = new QHBoxLayout(frameCriteria_);
  const char* captions[] = {"Noise Limit Criteria", "L10 Calculation", "Noise Limits", "Check Input Data"};
  for (int i = 0; i < 4; ++i) {
    auto* button = new QPushButton(QString::fromLatin1(captions[i]), central);
    button->setObjectName(QStringLiteral("Command_%1").arg(i));
    button->setAccessibleName(button->text());
    commands_[static_cast<std::size_t>(i)] = button;
  }
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(QStringLiteral("No Receptor Selected"), central);
    label->setObjectName(QStringLiteral("lblReceptor_%1").arg(i));
    labels_[static_cast<std::size_t>(i)] = label;
  }
  criteria->addWidget(labels_[2]);
  criteria->addWidget(commands_[0]);
  criteria->addWidget(commands_[1]);
  criteria->addWidget(commands_[2]);
  top->addWidget(frameCriteria_);
  layout->addWidget(topRow_);

  frameInput_ = new QGroupBox(QStringLiteral("Input Data"), central);
  frameInput_->setObjectName(QStringLiteral("frameInput"));
  frameInput_->setAccessibleName(frameInput_->title());
  auto* input = new QVBoxLayout(frameInput_);
  input->addWidget(receptors_->grid());
  // The receptor commands a right-click on a row offers.
  receptors_->grid()->table()->setContextMenuPolicy(Qt::ActionsContextMenu);
  receptors_->grid()->table()->addAction(menuItem(QStringLiteral("mEdit_5")));
  input->addWidget(labels_[0]);
  input->addWidget(equipment_->grid());
  input->addStretch(1);
  layout->addWidget(frameInput_);

  frameResult_ = new QGroupBox(QStringLiteral("Results"), central);
  frameResult_->setObjectName(QStringLiteral("frameResult"));
  frameResult_->setAccessibleName(frameResult_->title());
  auto* result = new QGridLayout(frameResult_);
  result->addWidget(labels_[1], 0, 0);
  result->addWidget(commands_[3], 0, 1, Qt::AlignRight);
  // The chart takes the height the sheet is given, so zooming works alike.
  resultTabs_ = new QTabWidget(frameResult_);
  resultTabs_->setObjectName(QStringLiteral("tabResults"));
  resultTabs_->setAccessibleName(frameResult_->title());
  resultTabs_->setDocumentMode(true);
  resultTabs_->addTab(results_->grid(), QStringLiteral("Table"));
  chart_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  resultTabs_->addTab(chart_, QStringLiteral("Chart"));
  vibration_ = new cVibrationTab(study_, frameResult_);
  vibration_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  resultTabs_->addTab(vibration_, QStringLiteral("Vibration"));
  // Shown, the chart takes what the sheet's rows leave too little of; the
  // table keeps the height it has always had.
  connect(resultTabs_, &QTabWidget::currentChanged, this, [this](int index) {
    chart_->setMinimumHeight(resultTabs_->widget(index) == chart_ ? kChartHeight : 0);
  });
  result->addWidget(resultTabs_, 1, 0, 1, 2);
  auto* note = new QLabel(QStringLiteral("*Total Lmax is the value for the loudest piece of equipment."), frameResult_);
  note->setObjectName(QStringLiteral("lblNote"));
  result->addWidget(note, 2, 0, 1, 2);
  result->setRowStretch(3, 1);
  layout->addWidget(frameResult_);
  // Spare height goes below the frames: the sheets show the rows they are given.
  layout->addStretch(1);

  // Clicks on a frame, for zooming; they reach the frame through its
  // disabled sheets while a zoom mode is on.
  frameInput_->installEventFilter(this);
  frameResult_->installEventFilter(this);
}

// ----------------------------------------------------------------- layout

void frmMain::layoutNormal() {
  topRow_->show();
  frameInput_->show();
  frameResult_->show();
  receptors_->height(kReceptorRows);
  equipment_->height(kEquipmentRows);
  results_->height(kResultRows);
}

void frmMain::enlargeInputFrame() {
  frameResult_->hide();
  topRow_->show();
  frameInput_->show();
  receptors_->height(kReceptorRowsZoomed);
  equipment_->height(kEquipmentRowsZoomed);
}

void frmMain::enlargeResultFrame() {
  topRow_->hide();
  frameInput_->hide();
  frameResult_->show();
  results_->height(kResultRowsZoomed);
}

void frmMain::showUnits(int units) {
  menuItem(QStringLiteral("mUnits_0"))->setChecked(units == 0);
  menuItem(QStringLiteral("mUnits_1"))->setChecked(units != 0);
  equipment_->setLabels();
}

// -------------------------------------------------------------- IMainView

void frmMain::setReceptorLabel(int index, const std::string& caption, std::uint32_t colorBGR) {
  if (index < 0 || index >= static_cast<int>(labels_.size())) return;
  QLabel* label = labels_[static_cast<std::size_t>(index)];
  label->setText(mCodePage::toQString(caption));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, fromBGR(colorBGR));
  label->setPalette(palette);
}

std::string frmMain::receptorLabel(int index) const {
  if (index < 0 || index >= static_cast<int>(labels_.size())) return {};
  return mCodePage::fromQString(labels_[static_cast<std::size_t>(index)]->text());
}

void frmMain::setProcessButtonVisible(bool visible) { commands_[3]->setVisible(visible); }

void frmMain::setSaveEnabled(bool enabled) { menuItem(QStringLiteral("mFile_2"))->setEnabled(enabled); }

void frmMain::UndoMsgState(int undoType) {
  QAction* undo = editItems_[mEditMenu::Undo];
  switch (undoType) {
    case 1: undo->setText(QStringLiteral("Undo Paste")); break;
    case 2: undo->setText(QStringLiteral("Undo Delete")); break;
    case 3: undo->setText(QStringLiteral("Undo Edit")); break;
    default: undo->setText(QStringLiteral("Undo")); break;
  }
  undo->setEnabled(undoType >= 1 && undoType <= 3);
}

void frmMain::setEditMenu(int state) {
  editMenuState_ = state;
  mEditMenu::Enabled enabled{};
  for (std::size_t i = 0; i < enabled.size(); ++i) enabled[i] = editItems_[i]->isEnabled();
  enabled = mEditMenu::apply(enabled, state);
  for (std::size_t i = 0; i < enabled.size(); ++i) editItems_[i]->setEnabled(enabled[i]);
}

// ---------------------------------------------------------- ICaseFileView

void frmMain::displayCaption(const std::string& caseName) {
  const std::string name = trimmed(caseName);
  std::string caption = kTitle;
  if (!caseName.empty()) caption += " - " + name;
  setWindowTitle(mCodePage::toQString(caption));
}

void frmMain::showNoiseMetric(std::int32_t noiseMetric) {
  const int index = cmboMetric_->findText(noiseMetric == 2 ? QStringLiteral("L10") : QStringLiteral("Leq"));
  {
    const QSignalBlocker quiet(cmboMetric_);
    cmboMetric_->setCurrentIndex(index);
  }
  // Qt raises nothing when the list already shows the entry, so the choice is
  // handled here directly.
  if (events_) events_->metricChosen(index);
}

void frmMain::showCaseDescription(const std::string& text) { txtCase_->setText(mCodePage::toQString(text)); }

void frmMain::showEmptyCase() { showUnits(study_.units); }

// ----------------------------------------------------------------- events

void frmMain::closeEvent(QCloseEvent* event) {
  // The exit path decides; the window stays unless it ends the program.
  event->ignore();
  if (events_) {
    events_->commitPendingEdits();
    events_->endSession();
  }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (events_) {
    if (watched == txtCase_ && event->type() == QEvent::FocusOut) {
      // Opening a menu or a message box does not take the box's focus away
      // within the window; only moving to another control does.
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) events_->caseDescriptionLeft();
    } else if (event->type() == QEvent::MouseButtonPress && (watched == frameInput_ || watched == frameResult_)) {
      events_->frameClicked(watched == frameInput_ ? 0 : 1);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
