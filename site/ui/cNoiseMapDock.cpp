#include "site/ui/cNoiseMapDock.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "SF_FilePrompt.h"
#include "qtplatform/mCodePage.h"
#include "site/mExceedanceMap.h"
#include "site/mNoiseBands.h"
#include "site/ui/cEquipmentItem.h"
#include "site/ui/cNoiseMapItem.h"
#include "site/ui/mDockFit.h"
#include "site/ui/mNoiseMapPicture.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#include "study/mFormat.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The layer list: what the map shows.
enum Layer { lmaxLayer = 0, metricLayer = 1, lmaxOverLimit = 2, metricOverLimit = 3 };

QString swatchStyle(std::uint32_t c) {
  return QStringLiteral("background-color: #%1; border: 1px solid #555;").arg(c, 6, 16, QLatin1Char('0'));
}

}  // namespace

// The results on their sheet, and the map computed again after them.
class cNoiseMapDock::cRelay : public IResultsSheetView {
public:
  cRelay(IResultsSheetView& inner, cNoiseMapDock& dock) : inner_(inner), dock_(dock) {}
  void clear() override {
    inner_.clear();
    dock_.scheduleRecompute();
  }
  void setCellText(std::int32_t col, std::int32_t row, const std::string& text) override {
    inner_.setCellText(col, row, text);
  }
  void displayed() override {
    inner_.displayed();
    dock_.scheduleRecompute();
  }

private:
  IResultsSheetView& inner_;
  cNoiseMapDock& dock_;
};

cNoiseMapDock::cNoiseMapDock(cStudy& study, QMainWindow& window, QGraphicsScene& scene, QGraphicsView& view,
                             QDockWidget* besides, Services services)
    : QDockWidget(QStringLiteral("Noise Map"), &window),
      study_(study),
      window_(window),
      view_(&view),
      services_(services) {
  setObjectName(QStringLiteral("noiseMapDock"));
  setAccessibleName(QStringLiteral("Noise Map"));
  item_ = new cNoiseMapItem;
  scene.addItem(item_);
  buildControls();
  window.addDockWidget(Qt::RightDockWidgetArea, this);
  if (besides) window.splitDockWidget(besides, this, Qt::Vertical);
  mDockFit::watch(*this, window);
  if (QMenu* viewMenu = window.findChild<QMenu*>(QStringLiteral("mView"))) {
    QAction* toggle = toggleViewAction();
    toggle->setObjectName(QStringLiteral("mView_6"));
    toggle->setText(QStringLiteral("Noise &Map"));
    viewMenu->addAction(toggle);
  }
  // The pictures in a menu of their own right after File > Export Results.
  QMenu* fileMenu = window.findChild<QMenu*>(QStringLiteral("mFile"));
  QMenu* results = window.findChild<QMenu*>(QStringLiteral("mExport"));
  if (fileMenu && services_.prompt) {
    auto* pictures = new QMenu(QStringLiteral("Export Noise &Map"), fileMenu);
    pictures->setObjectName(QStringLiteral("mExportMap"));
    pictures->menuAction()->setObjectName(QStringLiteral("mFile_ExportMap"));
    const QList<QAction*> items = fileMenu->actions();
    const qsizetype at = results ? items.indexOf(results->menuAction()) : -1;
    if (at >= 0 && at + 1 < items.size()) fileMenu->insertMenu(items[at + 1], pictures);
    else fileMenu->addMenu(pictures);
    menuPng_ = pictures->addAction(QStringLiteral("PNG Image..."));
    menuPng_->setObjectName(QStringLiteral("mExportMapPng"));
    menuSvg_ = pictures->addAction(QStringLiteral("SVG Drawing..."));
    menuSvg_->setObjectName(QStringLiteral("mExportMapSvg"));
    connect(menuPng_, &QAction::triggered, this, [this] { savePicture(false); });
    connect(menuSvg_, &QAction::triggered, this, [this] { savePicture(true); });
  }
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool) { scheduleRecompute(); });
  viewport_ = view.viewport();
  viewport_->installEventFilter(this);
  viewport_->setMouseTracking(true);
  showMapCommands();
  hide();
}

cNoiseMapDock::~cNoiseMapDock() {
  if (viewport_) viewport_->removeEventFilter(this);
  if (view_) view_->removeEventFilter(this);
  // A rectangle being drawn belongs to the plan's scene, which deletes it.
  cancelAll();
  for (auto& [generation, run] : runs_)
    if (run.thread.joinable()) run.thread.join();
}

IResultsSheetView& cNoiseMapDock::resultsView(IResultsSheetView& results) {
  relay_ = std::make_unique<cRelay>(results, *this);
  return *relay_;
}

void cNoiseMapDock::buildControls() {
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* form = new QFormLayout;
  show_ = new QCheckBox(QStringLiteral("Show the noise map on the plan"), body);
  show_->setObjectName(QStringLiteral("chkNoiseMap"));
  show_->setAccessibleName(show_->text());
  show_->setChecked(true);
  layout->addWidget(show_);

  layer_ = new QComboBox(body);
  layer_->setObjectName(QStringLiteral("cmbNoiseMapLayer"));
  layer_->setAccessibleName(QStringLiteral("Map shows"));
  layer_->addItems({QStringLiteral("Lmax"), QStringLiteral("L10"), QStringLiteral("Lmax over a limit"),
                    QStringLiteral("L10 over a limit")});
  form->addRow(QStringLiteral("Map shows:"), layer_);

  exceedRow_ = new QWidget(body);
  auto* ex = new QFormLayout(exceedRow_);
  ex->setContentsMargins(0, 0, 0, 0);
  landUse_ = new QComboBox(exceedRow_);
  landUse_->setObjectName(QStringLiteral("cmbNoiseMapLandUse"));
  landUse_->setAccessibleName(QStringLiteral("Land use"));
  landUse_->addItems({QStringLiteral("Residential"), QStringLiteral("Commercial"), QStringLiteral("Industrial")});
  period_ = new QComboBox(exceedRow_);
  period_->setObjectName(QStringLiteral("cmbNoiseMapPeriod"));
  period_->setAccessibleName(QStringLiteral("Period"));
  period_->addItems({QStringLiteral("Daytime"), QStringLiteral("Evening"), QStringLiteral("Nighttime")});
  impact_ = new QCheckBox(QStringLiteral("Impact devices"), exceedRow_);
  impact_->setObjectName(QStringLiteral("chkNoiseMapImpact"));
  impact_->setAccessibleName(impact_->text());
  baseline_ = new QDoubleSpinBox(exceedRow_);
  baseline_->setObjectName(QStringLiteral("spnNoiseMapBaseline"));
  baseline_->setAccessibleName(QStringLiteral("Baseline"));
  baseline_->setRange(0, 150);
  baseline_->setDecimals(1);
  baseline_->setValue(55);
  baseline_->setSuffix(QStringLiteral(" dBA"));
  ex->addRow(QStringLiteral("Land use:"), landUse_);
  ex->addRow(QStringLiteral("Period:"), period_);
  ex->addRow(QString(), impact_);
  ex->addRow(QStringLiteral("Baseline:"), baseline_);
  form->addRow(exceedRow_);

  cell_ = new QDoubleSpinBox(body);
  cell_->setObjectName(QStringLiteral("spnNoiseMapCell"));
  cell_->setAccessibleName(QStringLiteral("Cell size"));
  cell_->setRange(0, 10000);
  cell_->setDecimals(1);
  cell_->setSpecialValueText(QStringLiteral("Automatic"));
  form->addRow(QStringLiteral("Cell size:"), cell_);
  height_ = new QDoubleSpinBox(body);
  height_->setObjectName(QStringLiteral("spnNoiseMapHeight"));
  height_->setAccessibleName(QStringLiteral("Receiver height"));
  height_->setRange(0, 1000);
  height_->setDecimals(1);
  height_->setSpecialValueText(QStringLiteral("5 ft / 1.5 m"));
  form->addRow(QStringLiteral("Receiver height:"), height_);
  auto* extentRow = new QHBoxLayout;
  drawExtent_ = new QPushButton(QStringLiteral("Draw Extent"), body);
  drawExtent_->setObjectName(QStringLiteral("cmdNoiseMapDrawExtent"));
  drawExtent_->setAccessibleName(QStringLiteral("Draw the map's extent"));
  drawExtent_->setToolTip(QStringLiteral("Drag a rectangle on the plan: the map covers it"));
  drawExtent_->setCheckable(true);
  planExtent_ = new QPushButton(QStringLiteral("Plan Extent"), body);
  planExtent_->setObjectName(QStringLiteral("cmdNoiseMapPlanExtent"));
  planExtent_->setAccessibleName(QStringLiteral("Map the plan's extent"));
  planExtent_->setToolTip(QStringLiteral("The map covers the whole plan again"));
  planExtent_->setEnabled(false);
  extentRow->addWidget(drawExtent_);
  extentRow->addWidget(planExtent_);
  form->addRow(QStringLiteral("Extent:"), extentRow);
  opacity_ = new QSlider(Qt::Horizontal, body);
  opacity_->setObjectName(QStringLiteral("sldNoiseMapOpacity"));
  opacity_->setAccessibleName(QStringLiteral("Opacity"));
  opacity_->setRange(0, 100);
  opacity_->setValue(70);
  item_->setOpacity(0.7);
  form->addRow(QStringLiteral("Opacity:"), opacity_);
  layout->addLayout(form);

  auto* runRow = new QHBoxLayout;
  progress_ = new QProgressBar(body);
  progress_->setObjectName(QStringLiteral("barNoiseMap"));
  progress_->setAccessibleName(QStringLiteral("Noise map progress"));
  progress_->setRange(0, 100);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), body);
  cancel_->setObjectName(QStringLiteral("cmdNoiseMapCancel"));
  cancel_->setAccessibleName(QStringLiteral("Cancel the noise map"));
  runRow->addWidget(progress_, 1);
  runRow->addWidget(cancel_);
  layout->addLayout(runRow);
  progress_->hide();
  cancel_->hide();

  auto* saveRow = new QHBoxLayout;
  savePng_ = new QPushButton(QStringLiteral("Save as PNG..."), body);
  savePng_->setObjectName(QStringLiteral("cmdNoiseMapSavePng"));
  savePng_->setAccessibleName(QStringLiteral("Save the noise map as a PNG image"));
  saveSvg_ = new QPushButton(QStringLiteral("Save as SVG..."), body);
  saveSvg_->setObjectName(QStringLiteral("cmdNoiseMapSaveSvg"));
  saveSvg_->setAccessibleName(QStringLiteral("Save the noise map as an SVG drawing"));
  saveRow->addWidget(savePng_);
  saveRow->addWidget(saveSvg_);
  layout->addLayout(saveRow);

  status_ = new QLabel(body);
  status_->setObjectName(QStringLiteral("lblNoiseMap"));
  status_->setAccessibleName(QStringLiteral("Noise map status"));
  status_->setWordWrap(true);
  layout->addWidget(status_);
  auto* legendBox = new QWidget(body);
  legendBox->setObjectName(QStringLiteral("noiseMapLegend"));
  legendBox->setAccessibleName(QStringLiteral("Legend"));
  legend_ = new QGridLayout(legendBox);
  legend_->setContentsMargins(0, 0, 0, 0);
  legend_->setVerticalSpacing(1);
  layout->addWidget(legendBox);
  layout->addStretch(1);
  setWidget(body);

  const auto again = [this] { scheduleRecompute(); };
  connect(show_, &QCheckBox::toggled, this, again);
  connect(layer_, &QComboBox::currentIndexChanged, this, again);
  connect(landUse_, &QComboBox::currentIndexChanged, this, again);
  connect(period_, &QComboBox::currentIndexChanged, this, again);
  connect(impact_, &QCheckBox::toggled, this, again);
  connect(baseline_, &QDoubleSpinBox::valueChanged, this, again);
  connect(cell_, &QDoubleSpinBox::valueChanged, this, again);
  connect(height_, &QDoubleSpinBox::valueChanged, this, again);
  connect(opacity_, &QSlider::valueChanged, this, [this](int v) { item_->setOpacity(v / 100.0); });
  connect(savePng_, &QPushButton::clicked, this, [this] { savePicture(false); });
  connect(saveSvg_, &QPushButton::clicked, this, [this] { savePicture(true); });
  connect(drawExtent_, &QPushButton::toggled, this, [this](bool on) {
    if (!on) {
      endExtentTool();
      return;
    }
    if (viewport_) viewport_->setCursor(Qt::CrossCursor);
    // Escape on the plan ends the tool without drawing.
    if (view_) view_->installEventFilter(this);
  });
  connect(planExtent_, &QPushButton::clicked, this, [this] { usePlanExtent(); });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    cancelAll();
    status_->setText(QStringLiteral("The noise map was cancelled; the next edit computes it again."));
  });
  syncChoices();
  rebuildLegend();
}

bool cNoiseMapDock::exceedanceChosen() const { return layer_->currentIndex() >= lmaxOverLimit; }

// The metric's name follows the case; the baseline is asked for only where
// the chosen criterion is built on it.
void cNoiseMapDock::syncChoices() {
  const QString metric = mNoiseMap::caseMetric(study_) == 2 ? QStringLiteral("L10") : QStringLiteral("Leq");
  layer_->setItemText(metricLayer, metric);
  layer_->setItemText(metricOverLimit, metric + QStringLiteral(" over a limit"));
  exceedRow_->setVisible(exceedanceChosen());
  if (exceedanceChosen()) {
    mExceedanceMap::sChoice c;
    c.metric = layer_->currentIndex() == lmaxOverLimit ? 0 : mNoiseMap::caseMetric(study_);
    c.landUse = landUse_->currentIndex();
    c.period = period_->currentIndex();
    c.impactType = impact_->isChecked() ? 0 : 1;
    baseline_->setEnabled(mExceedanceMap::needsBaseline(study_, c));
  }
}

void cNoiseMapDock::rebuildLegend() {
  while (QLayoutItem* it = legend_->takeAt(0)) {
    delete it->widget();
    delete it;
  }
  const bool exceed = exceedanceChosen();
  const int count = exceed ? mNoiseBands::exceedCount : mNoiseBands::count;
  // The loudest band on top.
  for (int i = 0; i < count; ++i) {
    const int band = count - 1 - i;
    auto* swatch = new QLabel;
    swatch->setFixedSize(18, 12);
    swatch->setStyleSheet(swatchStyle(exceed ? mNoiseBands::exceedColour(band) : mNoiseBands::colour(band)));
    auto* text = new QLabel(qs(exceed ? mNoiseBands::exceedLabel(band) : mNoiseBands::label(band)));
    text->setAccessibleName(text->text());
    legend_->addWidget(swatch, i, 0);
    legend_->addWidget(text, i, 1);
  }
  auto* note = new QLabel(exceed ? QStringLiteral("Each band holds its lower edge; cells at or under the limit "
                                                  "are not coloured.")
                                 : QStringLiteral("Each band holds its lower edge: 40.0 dB is in 40 - 45. "
                                                  "Below 35 dB is not coloured."));
  note->setWordWrap(true);
  legend_->addWidget(note, count, 0, 1, 2);
}

void cNoiseMapDock::scheduleRecompute() {
  if (pending_) return;
  pending_ = true;
  QPointer<cNoiseMapDock> self(this);
  QTimer::singleShot(0, this, [self] {
    if (!self) return;
    self->pending_ = false;
    self->recompute();
  });
}

void cNoiseMapDock::cancelAll() {
  for (auto& [generation, run] : runs_) run.job->cancel();
  ++generation_;  // whatever is still running is not shown
  progress_->hide();
  cancel_->hide();
}

void cNoiseMapDock::recompute() {
  syncChoices();
  rebuildLegend();
  if (!isVisible() || !show_->isChecked()) {
    cancelAll();
    item_->setVisible(false);
    showMapCommands();
    spare_ = cNoiseGrid{};  // a hidden map keeps no memory for the next
    return;
  }
  item_->setVisible(true);
  if (extent_ && caseIdentity() != extentCase_) {
    extent_.reset();
    planExtent_->setEnabled(false);
  }
  const cGridFrame frame = extent_ ? cGridFrame::covering(extent_->left(), extent_->top(), extent_->right(),
                                                          extent_->bottom(), cell_->value())
                                   : mNoiseMap::defaultFrame(study_, cell_->value());
  const auto nothing = [this](const QString& why) {
    cancelAll();
    item_->clearValues();
    showMapCommands();
    status_->setText(why);
  };
  if (frame.empty()) {
    double x0, y0, x1, y1;
    nothing(extent_ || mNoiseMap::planExtent(study_, x0, y0, x1, y1)
                ? QStringLiteral("The map would have too many cells: choose a larger cell size.")
                : QStringLiteral("Place receptors, equipment or barriers on the site plan to see its noise map."));
    return;
  }
  // A piece being dragged counts where the hand has it now.
  std::optional<mNoiseMap::sMoving> moving;
  if (dragging_ && view_)
    for (QGraphicsItem* selected : view_->scene()->selectedItems())
      if (auto* e = dynamic_cast<cEquipmentItem*>(selected)) {
        moving = mNoiseMap::sMoving{e->id(), e->pos().x(), -e->pos().y()};
        break;
      }
  cGridInput input = mNoiseMap::gridInput(study_, height_->value(), moving ? &*moving : nullptr);
  if (input.pieces.empty()) {
    nothing(QStringLiteral("No active equipment is placed on the site plan: there is no noise to map."));
    return;
  }
  limit_.reset();
  if (exceedanceChosen()) {
    mExceedanceMap::sChoice c;
    c.metric = layer_->currentIndex() == lmaxOverLimit ? 0 : mNoiseMap::caseMetric(study_);
    c.landUse = landUse_->currentIndex();
    c.period = period_->currentIndex();
    c.impactType = impact_->isChecked() ? 0 : 1;
    if (baseline_->isEnabled()) c.baseline = static_cast<float>(baseline_->value());
    const auto limit = mExceedanceMap::limitFor(study_, c);
    if (!limit.usable) {
      nothing(qs(limit.problem));
      return;
    }
    limit_ = limit.limit;
    status_->setText(qs(mExceedanceMap::describe(c, limit.limit)));
  }
  cancelAll();
  auto shielding = mNoiseMap::shielding(study_, input);
  auto job = std::make_shared<cGridJob>(std::move(input), frame, mNoiseMap::caseMetric(study_), std::move(shielding));
  // The storage of the map shown before: a redraw asks the system for no memory.
  job->recycle(std::move(spare_));
  spare_ = cNoiseGrid{};
  const std::uint64_t generation = ++generation_;
  frame_ = frame;
  progress_->setValue(0);
  progress_->show();
  cancel_->show();
  QPointer<cNoiseMapDock> self(this);
  sRun& run = runs_[generation];
  run.job = job;
  run.thread = std::thread([this, job, generation] {
    int reported = -1;
    const auto outcome = job->run(
        [this, generation, &reported](double fraction) {
          const int percent = static_cast<int>(fraction * 100);
          if (percent == reported) return;
          reported = percent;
          QMetaObject::invokeMethod(
              this,
              [this, generation, percent] {
                if (generation == generation_) progress_->setValue(percent);
              },
              Qt::QueuedConnection);
        },
        2);
    QMetaObject::invokeMethod(this, [this, generation, outcome] { finished(generation, outcome); },
                              Qt::QueuedConnection);
  });
}

void cNoiseMapDock::finished(std::uint64_t generation, cGridJob::Outcome outcome) {
  const auto it = runs_.find(generation);
  if (it == runs_.end()) return;
  std::shared_ptr<cGridJob> job = it->second.job;
  if (it->second.thread.joinable()) it->second.thread.join();
  runs_.erase(it);
  if (generation != generation_ || outcome != cGridJob::Outcome::done) {
    ++dropped_;
    if (spare_.level.empty()) spare_ = job->takeGrid();
    if (generation == generation_ && outcome == cGridJob::Outcome::failed) {
      progress_->hide();
      cancel_->hide();
      item_->clearValues();
      showMapCommands();
      status_->setText(QStringLiteral("There is not enough memory for a map of this many cells: choose a larger "
                                      "cell size."));
    }
    return;
  }
  progress_->hide();
  cancel_->hide();
  const cNoiseGrid& grid = job->grid();
  const int layer = layer_->currentIndex();
  const bool lmax = layer == lmaxLayer || layer == lmaxOverLimit;
  std::vector<float> values = lmax ? grid.lmax : grid.level;
  if (limit_) values = mExceedanceMap::exceedance(values, *limit_);
  item_->setValues(grid.frame, std::move(values), limit_.has_value());
  showMapCommands();
  ++shown_;
  const cGridFrame shownFrame = grid.frame;
  const double shownHeight = job->input().receiverHeight;
  spare_ = job->takeGrid();
  if (!limit_) {
    const std::string unit = study_.units == 0 ? " ft" : " m";
    status_->setText(qs(std::to_string(shownFrame.columns) + " x " + std::to_string(shownFrame.rows) +
                        " cells of " + format0_0(shownFrame.cell) + unit + ", at " + format0_0(shownHeight) + unit +
                        " above ground" + (extent_ ? ", over the extent drawn" : "")));
  }
}

void cNoiseMapDock::showPointer(const QPointF& scenePos) {
  float v = 0;
  if (!item_->isVisible() || !item_->valueAt(scenePos.x(), -scenePos.y(), v)) return;
  const QString what = layer_->itemText(layer_->currentIndex());
  QString text;
  if (exceedanceChosen())
    text = v > 0 ? QStringLiteral("Noise map: %1 by %2 dB").arg(what, qs(format0_0(v)))
                 : QStringLiteral("Noise map: within the limit (%1 dB)").arg(qs(format0_0(v)));
  else
    text = QStringLiteral("Noise map: %1 %2 dBA").arg(what, qs(format0_0(v)));
  window_.statusBar()->showMessage(text);
}

// ------------------------------------------------------------- pictures

void cNoiseMapDock::showMapCommands() {
  const bool shown = item_->hasValues() && item_->isVisible();
  const bool can = shown && services_.prompt;
  for (QPushButton* b : {savePng_, saveSvg_})
    if (b) b->setEnabled(can);
  for (QAction* a : {menuPng_, menuSvg_})
    if (a) a->setEnabled(can);
}

void cNoiseMapDock::savePicture(bool svg) {
  if (!services_.prompt || !view_) return;
  if (!item_->hasValues() || !item_->isVisible()) {
    if (services_.messages)
      services_.messages->show("There is no noise map to save: show it with View > Noise Map and let it finish.",
                               "VORN", MessageIcon::Information);
    return;
  }
  SF_FilePrompt& prompt = *services_.prompt;
  prompt.OpenMode(SF_WRITE);
  prompt.MultipleFiles(false);
  prompt.FilePrompt(svg ? "SVG Drawing" : "PNG Image");
  prompt.FileSuffix(svg ? "svg" : "png");
  if (prompt.getFile() != SF_FILE_OK) return;
  std::string path = prompt.Directory() + prompt.FileName(1);
  // A name typed without its type gets the one chosen; any other name is
  // written as what its ending says.
  if (prompt.FileName(1).find('.') == std::string::npos) path += svg ? ".svg" : ".png";
  mNoiseMapPicture::sLegend legend;
  const bool exceed = limit_.has_value();
  legend.title = layer_->currentText() + (exceed ? QStringLiteral(", dB over the limit") : QStringLiteral(", dBA"));
  const int count = exceed ? mNoiseBands::exceedCount : mNoiseBands::count;
  for (int band = count - 1; band >= 0; --band)
    legend.bands.push_back({exceed ? mNoiseBands::exceedColour(band) : mNoiseBands::colour(band),
                            qs(exceed ? mNoiseBands::exceedLabel(band) : mNoiseBands::label(band))});
  legend.note = exceed ? status_->text() : QStringLiteral("Below 35 dB is not coloured.");
  if (!mNoiseMapPicture::write(*view_, legend, mCodePage::toQString(path)) && services_.messages)
    services_.messages->show("Error saving the noise map to " + path, "VORN", MessageIcon::Critical);
}

// --------------------------------------------------------------- extent

std::string cNoiseMapDock::caseIdentity() const {
  return study_.caseFile.caseDirectory() + study_.caseFile.caseFileName();
}

void cNoiseMapDock::usePlanExtent() {
  endExtentTool();
  extent_.reset();
  planExtent_->setEnabled(false);
  scheduleRecompute();
}

void cNoiseMapDock::endExtentTool() {
  if (rubber_) {
    delete rubber_;
    rubber_ = nullptr;
  }
  extentStart_.reset();
  if (viewport_) viewport_->unsetCursor();
  if (view_) view_->removeEventFilter(this);
  if (drawExtent_->isChecked()) {
    const QSignalBlocker quiet(drawExtent_);
    drawExtent_->setChecked(false);
  }
}

// While Draw Extent is on, a drag on the plan draws the map's extent
// instead of selecting or panning; the tool ends with the drag.
bool cNoiseMapDock::extentEvent(QEvent* event) {
  if (!drawExtent_->isChecked() || !view_) return false;
  const auto type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick)
    return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPointF scenePos = view_->mapToScene(mouse->position().toPoint());
  if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
    extentStart_ = scenePos;
    if (!rubber_) {
      rubber_ = new QGraphicsRectItem;
      QPen pen(QColor(20, 20, 20), 1.5, Qt::DashLine);
      pen.setCosmetic(true);
      rubber_->setPen(pen);
      rubber_->setZValue(1000);
      view_->scene()->addItem(rubber_);
    }
    rubber_->setRect(QRectF(scenePos, scenePos));
  } else if (type == QEvent::MouseMove) {
    showPointer(scenePos);
    if (extentStart_ && rubber_) rubber_->setRect(QRectF(*extentStart_, scenePos).normalized());
  } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton && extentStart_) {
    const QPointF start = *extentStart_;
    const QPoint a = view_->mapFromScene(start), b = mouse->position().toPoint();
    endExtentTool();
    // A click, or a drag of a few pixels, draws nothing.
    if (std::abs(a.x() - b.x()) >= 4 && std::abs(a.y() - b.y()) >= 4) {
      // Scene y runs south: the plan's y is its negative.
      const QRectF r = QRectF(start, scenePos).normalized();
      extent_ = QRectF(QPointF(r.left(), -r.bottom()), QPointF(r.right(), -r.top()));
      extentCase_ = caseIdentity();
      planExtent_->setEnabled(true);
      scheduleRecompute();
    }
  }
  return true;
}

bool cNoiseMapDock::eventFilter(QObject* watched, QEvent* event) {
  // The viewport hears events while the view is being destroyed: look at the
  // view only for the pointer's and the keys' own events, when it is whole.
  const auto type = event->type();
  const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                     type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
  if (mouse && drawExtent_->isChecked() && watched == viewport_.data() && extentEvent(event)) return true;
  if (type == QEvent::KeyPress && drawExtent_->isChecked() && watched == view_.data() &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    endExtentTool();
    return true;
  }
  const bool pointer = event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease;
  if (!pointer || watched != viewport_.data() || !view_) return QDockWidget::eventFilter(watched, event);
  if (event->type() == QEvent::MouseMove) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPointF scenePos = view_->mapToScene(mouse->position().toPoint());
    showPointer(scenePos);
    // A piece being dragged: the map follows it before it is dropped.
    if (mouse->buttons() & Qt::LeftButton) {
      dragging_ = true;
      scheduleRecompute();
    }
  } else {
    dragging_ = false;
  }
  return QDockWidget::eventFilter(watched, event);
}
