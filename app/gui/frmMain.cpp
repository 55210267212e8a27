#include "app/gui/frmMain.h"

#include <algorithm>

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
#include <QScreen>
#include <QStatusBar>
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
constexpr int kReceptorRowsAtLeast = 2;
constexpr int kEquipmentRowsAtLeast = 3;
constexpr int kResultRowsAtLeast = 4;
// Pixels the chart needs at least for its axes, bars and legend; it takes
// more when the window has it.
constexpr int kChartHeight = 240;
constexpr QSize kPreferredSize(1280, 820);
constexpr int kStatusMillis = 8000;

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
  // Room for the equipment sheet's ten columns and the results' fifteen;
  // fitToScreen makes it fit the screen it is shown on.
  resize(kPreferredSize);
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
  addItem(file, QStringLiteral("mFile_0"), QStringLiteral("&New"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  addItem(file, QStringLiteral("mFile_1"), QStringLiteral("&Open..."))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  addItem(file, QStringLiteral("mFile_2"), QStringLiteral("Save"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  addItem(file, QStringLiteral("mFile_3"), QStringLiteral("&Save As..."))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
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
  // Delete over whole rows selected is Edit > Delete; over cells (when the
  // item is disabled) the key reaches the sheet and clears them.
  const QKeySequence editKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_V),
                                   QKeySequence(Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_Z)};
  for (int i = 0; i < mEditMenu::itemCount; ++i) {
    editItems_[static_cast<std::size_t>(i)] =
        addItem(edit, QStringLiteral("mEdit_%1").arg(i), QString::fromLatin1(editCaptions[i]));
    editItems_[static_cast<std::size_t>(i)]->setShortcut(editKeys[i]);
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
  addItem(help, QStringLiteral("mHelp_0"), QStringLiteral("User Guide"))->setShortcut(QKeySequence(Qt::Key_F1));
  addItem(help, QStringLiteral("mHelp_1"), QStringLiteral("&About"));
}

QAction* frmMain::menuItem(const QString& name) const { return findChild<QAction*>(name); }

// --------------------------------------------------------------- controls

void frmMain::buildControls() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("centralWidget"));
  setCentralWidget(central);
  auto* layout = new QVBoxLayout(central);
  // On a small screen the input sheets give up rows first (they scroll);
  // the results keep the totals and a few pieces in view.
  receptors_->grid()->setStretchRows(true, kReceptorRowsAtLeast);
  equipment_->grid()->setStretchRows(true, kEquipmentRowsAtLeast);
  results_->grid()->setStretchRows(true, kResultRowsAtLeast);

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
  // The top row keeps its place whatever the receptor caption says.
  const QFontMetrics metrics = labels_[2]->fontMetrics();
  labels_[2]->setFixedWidth(std::max(metrics.horizontalAdvance(QStringLiteral("No Receptor Selected")),
                                     metrics.horizontalAdvance(QStringLiteral("Receptor #00000"))) +
                            8);
  // The longer captions may be cut short; they never widen the window.
  for (int i = 0; i < 2; ++i) labels_[static_cast<std::size_t>(i)]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
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
  input->addWidget(receptors_->grid(), 2);
  // The receptor commands a right-click on a row offers.
  receptors_->grid()->table()->setContextMenuPolicy(Qt::ActionsContextMenu);
  receptors_->grid()->table()->addAction(menuItem(QStringLiteral("mEdit_5")));
  input->addWidget(labels_[0]);
  input->addWidget(equipment_->grid(), 3);
  layout->addWidget(frameInput_, 3);

  frameResult_ = new QGroupBox(QStringLiteral("Results"), central);
  frameResult_->setObjectName(QStringLiteral("frameResult"));
  frameResult_->setAccessibleName(frameResult_->title());
  auto* result = new QGridLayout(frameResult_);
  result->addWidget(labels_[1], 0, 0);
  result->addWidget(commands_[3], 0, 1, Qt::AlignRight);
  // Hidden, the button keeps its room, so the results do not move up.
  QSizePolicy keep = commands_[3]->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  commands_[3]->setSizePolicy(keep);
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
    keepOnScreen();
  });
  result->addWidget(resultTabs_, 1, 0, 1, 2);
  auto* note = new QLabel(QStringLiteral("*Total Lmax is the value for the loudest piece of equipment."), frameResult_);
  note->setObjectName(QStringLiteral("lblNote"));
  result->addWidget(note, 2, 0, 1, 2);
  result->setRowStretch(1, 1);
  // The sheets share the height the window has: more rows when there is room.
  layout->addWidget(frameResult_, 2);
  statusBar()->setObjectName(QStringLiteral("statusBar"));

  // Clicks on a frame, for zooming; they reach the frame through its
  // disabled sheets while a zoom mode is on.
  frameInput_->installEventFilter(this);
  frameResult_->installEventFilter(this);
}

// ----------------------------------------------------------------- layout

void frmMain::fitToScreen() {
  const QScreen* shownOn = screen();
  if (!shownOn) return;
  const QRect room = shownOn->availableGeometry();
  // The frame the window system draws around the window counts too.
  const QSize frame = frameGeometry().size() - geometry().size();
  const QSize inside(room.width() - frame.width(), room.height() - frame.height());
  resize(size().expandedTo(kPreferredSize).boundedTo(inside).expandedTo(minimumSizeHint()));
  keepOnScreen();
}

void frmMain::keepOnScreen() {
  const QScreen* shownOn = screen();
  if (!shownOn) return;
  // A frame shown again may ask for more height: the window has it first.
  if (layout()) layout()->activate();
  const QRect room = shownOn->availableGeometry();
  const QSize frame = frameGeometry().size() - geometry().size();
  const QSize inside(room.width() - frame.width(), room.height() - frame.height());
  if (width() > inside.width() || height() > inside.height()) {
    resize(size().boundedTo(inside).expandedTo(minimumSizeHint()));
  }
  QRect outer = frameGeometry();
  if (outer.right() > room.right()) outer.moveRight(room.right());
  if (outer.bottom() > room.bottom()) outer.moveBottom(room.bottom());
  if (outer.left() < room.left()) outer.moveLeft(room.left());
  if (outer.top() < room.top()) outer.moveTop(room.top());
  if (outer.topLeft() != frameGeometry().topLeft()) move(outer.topLeft());
}

void frmMain::showStatus(const std::string& text) {
  statusBar()->showMessage(mCodePage::toQString(text), kStatusMillis);
}

void frmMain::layoutNormal() {
  topRow_->show();
  frameInput_->show();
  frameResult_->show();
  receptors_->height(kReceptorRows);
  equipment_->height(kEquipmentRows);
  results_->height(kResultRows);
  keepOnScreen();
}

void frmMain::enlargeInputFrame() {
  frameResult_->hide();
  topRow_->show();
  frameInput_->show();
  receptors_->height(kReceptorRowsZoomed);
  equipment_->height(kEquipmentRowsZoomed);
  keepOnScreen();
}

void frmMain::enlargeResultFrame() {
  topRow_->hide();
  frameInput_->hide();
  frameResult_->show();
  results_->height(kResultRowsZoomed);
  keepOnScreen();
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

void frmMain::showEmptyCase() {
  showUnits(study_.units);
  // Nothing of the case just closed stays highlighted.
  for (cSheetGrid* grid : {receptors_->grid(), equipment_->grid(), results_->grid()}) grid->clearSelection();
}

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
