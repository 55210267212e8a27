#include "site/ui/cSitePlanDock.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPainterPath>
#include <QPixmap>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "SF_FilePrompt.h"
#include "compute/mAsItStands.h"
#include "qtplatform/mCodePage.h"
#include "site/mSiteGeometry.h"
#include "site/mSitePlan.h"
#include "site/ui/cBackgroundItem.h"
#include "site/ui/cBarrierItem.h"
#include "site/ui/cEquipmentItem.h"
#include "site/ui/cMeasureItem.h"
#include "site/ui/mDockFit.h"
#include "site/ui/cReceptorItem.h"
#include "site/ui/cSitePlanView.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"
#include "site/cUnavailableSiteFile.h"
#if VORN_HAVE_GDAL
#include "site/gdal/cGeoPackageSiteFile.h"
#include "site/gdal/mSiteImport.h"
#endif

namespace {

constexpr int kReceptorKey = 1;
constexpr int kEquipmentKey = 2;

QString qs(const std::string& text) { return mCodePage::toQString(text); }

// The worst exceedance of the receptor's totals, Lmax and the case's metric.
cReceptorItem::Level worstLevel(const cReceptorRecord& r, std::int32_t metric) {
  bool computed = false;
  float worst = 0;
  for (const cMetric* m : {&r.day_exceed_totals, &r.eve_exceed_totals, &r.nite_exceed_totals}) {
    const std::pair<const std::string*, float> values[] = {
        {&m->sLmax, m->Lmax()}, metric == 2 ? std::pair{&m->sL10, m->L10()} : std::pair{&m->sLeq, m->Leq()}};
    for (const auto& [word, value] : values) {
      if (*word == "None") computed = true;
      if (*word == "Value") {
        computed = true;
        worst = std::max(worst, value);
      }
    }
  }
  if (!computed) return cReceptorItem::Level::Unknown;
  if (worst <= 0) return cReceptorItem::Level::None;
  return worst > 5 ? cReceptorItem::Level::High : cReceptorItem::Level::Some;
}

}  // namespace

// The results on their sheet, and the plan after them.
class cSitePlanDock::cRelay : public IResultsSheetView {
public:
  cRelay(IResultsSheetView& inner, cSitePlanDock& dock) : inner_(inner), dock_(dock) {}
  void clear() override {
    inner_.clear();
    // A receptor being shown clears first and then says it is displayed;
    // the plan is redrawn once, at the end, or here when nothing follows.
    if (pending_) return;
    pending_ = true;
    QPointer<cSitePlanDock> dock(&dock_);
    QTimer::singleShot(0, &dock_, [this, dock] {
      if (!dock || !pending_) return;
      pending_ = false;
      dock->refresh();
    });
  }
  void setCellText(std::int32_t col, std::int32_t row, const std::string& text) override {
    inner_.setCellText(col, row, text);
  }
  void displayed() override {
    inner_.displayed();
    pending_ = false;
    dock_.refresh();
  }

private:
  bool pending_ = false;
  IResultsSheetView& inner_;
  cSitePlanDock& dock_;
};

cSitePlanDock::cSitePlanDock(cStudy& study, QMainWindow& window, Services services)
    : QDockWidget(QStringLiteral("Site Plan"), &window), study_(study), services_(std::move(services)) {
  setObjectName(QStringLiteral("sitePlanDock"));
  setAccessibleName(QStringLiteral("Site Plan"));
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);
  scene_ = new QGraphicsScene(this);
  scene_->setSceneRect(-1e7, -1e7, 2e7, 2e7);
  view_ = new cSitePlanView(scene_, body);
  tools_ = new QToolBar(body);
  tools_->setObjectName(QStringLiteral("sitePlanTools"));
  tools_->setAccessibleName(QStringLiteral("Site Plan tools"));
  status_ = new QLabel(body);
  status_->setObjectName(QStringLiteral("lblSitePlan"));
  status_->setAccessibleName(QStringLiteral("Site Plan status"));
  buildToolBar();
  layout->addWidget(tools_);
  layout->addWidget(view_, 1);
  layout->addWidget(status_);
  setWidget(body);
  setMinimumWidth(360);
  window.addDockWidget(Qt::RightDockWidgetArea, this);
  mDockFit::watch(*this, window);
  // Clicking a receptor on the plan selects it on the receptor sheet.
  connect(scene_, &QGraphicsScene::selectionChanged, this, [this] {
    const QList<QGraphicsItem*> selected = scene_->selectedItems();
    if (selected.size() != 1) return;
    auto* r = dynamic_cast<cReceptorItem*>(selected.front());
    if (!r || r->id() == study_.receptorID()) return;
    const int id = r->id();
    QTimer::singleShot(0, this, [this, id] {
      if (services_.selectReceptor) services_.selectReceptor(id);
    });
  });
  if (QMenu* viewMenu = window.findChild<QMenu*>(QStringLiteral("mView"))) {
    viewMenu->addSeparator()->setObjectName(QStringLiteral("mView_4"));
    QAction* toggle = toggleViewAction();
    toggle->setObjectName(QStringLiteral("mView_5"));
    toggle->setText(QStringLiteral("Site &Plan"));
    viewMenu->addAction(toggle);
  }
  hide();
}

// The scene goes with the dock's children, after this: its last selection
// changes, as its items go, are no longer the dock's to hear.
cSitePlanDock::~cSitePlanDock() { scene_->disconnect(this); }

ISiteFile& cSitePlanDock::siteFile() {
#if VORN_HAVE_GDAL
  static cGeoPackageSiteFile store;
#else
  static cUnavailableSiteFile store;
#endif
  return store;
}

IResultsSheetView& cSitePlanDock::resultsView(IResultsSheetView& results) {
  relay_ = std::make_unique<cRelay>(results, *this);
  return *relay_;
}

QAction* cSitePlanDock::action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

QPointF cSitePlanDock::toScene(double x, double y) { return QPointF(x, -y); }

void cSitePlanDock::toPlan(const QPointF& scene, double& x, double& y) {
  x = scene.x();
  y = -scene.y();
}

// ----------------------------------------------------------------- tools

void cSitePlanDock::buildToolBar() {
  auto* group = new QActionGroup(this);
  const auto tool = [&](const char* name, const QString& text, const QString& tip) {
    QAction* a = tools_->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(tip);
    a->setCheckable(true);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, a] { chooseTool(a); });
    return a;
  };
  tool("actSiteSelect", QStringLiteral("Select"), QStringLiteral("Select and drag symbols; drag the ground to pan"))
      ->setChecked(true);
  tool("actSitePlace", QStringLiteral("Place"), QStringLiteral("Click to place the receptor or equipment chosen beside"));
  tool("actSiteBarrier", QStringLiteral("Barrier"),
       QStringLiteral("Click the corners of a barrier; double-click or Enter ends it"));
  tool("actSiteMeasure", QStringLiteral("Distance"), QStringLiteral("Drag to measure a distance"));
  tool("actSiteScale", QStringLiteral("Scale Background"),
       QStringLiteral("Click two points of the background a known distance apart"));
  placeList_ = new QComboBox(tools_);
  placeList_->setObjectName(QStringLiteral("cmboSitePlace"));
  placeList_->setAccessibleName(QStringLiteral("Receptor or equipment to place"));
  placeList_->setMinimumContentsLength(14);
  placeList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  tools_->addWidget(placeList_);
  topHeight_ = new QDoubleSpinBox(tools_);
  topHeight_->setObjectName(QStringLiteral("spinSiteTop"));
  topHeight_->setAccessibleName(QStringLiteral("Barrier top height"));
  topHeight_->setPrefix(QStringLiteral("Top "));
  topHeight_->setRange(0, 1000);
  topHeight_->setValue(10);
  tools_->addWidget(topHeight_);
  knownDistance_ = new QDoubleSpinBox(tools_);
  knownDistance_->setObjectName(QStringLiteral("spinSiteKnown"));
  knownDistance_->setAccessibleName(QStringLiteral("Known distance between the two points"));
  knownDistance_->setPrefix(QStringLiteral("Known "));
  knownDistance_->setRange(0.1, 1e6);
  knownDistance_->setValue(100);
  tools_->addWidget(knownDistance_);
  tools_->addSeparator();
  const auto command = [&](const char* name, const QString& text, const QString& tip, auto slot) {
    QAction* a = tools_->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(tip);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  command("actSiteDelete", QStringLiteral("Delete"), QStringLiteral("Take the selected symbols or barriers off the plan"),
          [this] { deleteSelected(); });
  // Delete takes symbols off the plan only while the plan has the focus; over
  // the sheets it stays Edit > Delete.
  new QShortcut(QKeySequence::Delete, view_, [this] { deleteSelected(); }, Qt::WidgetShortcut);
  command("actSiteTyped", QStringLiteral("Typed Shielding"),
          QStringLiteral("Keep the typed shielding between the selected receptor and the selected equipment, or give "
                         "it back to the plan"),
          [this] { toggleTypedShielding(); });
  command("actSiteFit", QStringLiteral("Fit"), QStringLiteral("Show the whole plan"), [this] { zoomToFit(); });
  command("actSiteImport", QStringLiteral("Import..."),
          QStringLiteral("Positions or barriers from a GeoJSON, Shapefile, GeoPackage, DXF or CSV file"),
          [this] { importLayer(); });
  importKind_ = new QComboBox(tools_);
  importKind_->setObjectName(QStringLiteral("cmboSiteImport"));
  importKind_->setAccessibleName(QStringLiteral("Import as"));
  importKind_->addItems({QStringLiteral("as Receptors"), QStringLiteral("as Equipment"), QStringLiteral("as Barriers")});
  tools_->addWidget(importKind_);
  command("actSiteBackground", QStringLiteral("Background..."),
          QStringLiteral("A PNG, JPEG or GeoTIFF picture under the plan"), [this] { chooseBackground(); });
  // Tool buttons read as their captions to assistive technology.
  for (QAction* a : tools_->actions())
    if (QWidget* w = tools_->widgetForAction(a); w && !a->text().isEmpty()) w->setAccessibleName(a->text());
}

void cSitePlanDock::chooseTool(QAction* tool) {
  drawing_.clear();
  view_->clearTool();
  const QString name = tool->objectName();
  cSitePlanView::Tool t;
  if (name == QLatin1String("actSitePlace")) {
    t.pressed = [this](QPointF p) { placeAt(p); };
  } else if (name == QLatin1String("actSiteBarrier")) {
    t.pressed = [this](QPointF p) {
      drawing_.push_back(p);
      if (!measure_) {
        measure_ = new cMeasureItem();
        scene_->addItem(measure_);
      }
      measure_->setEnds(drawing_.front(), p, QStringLiteral("%1 corners").arg(drawing_.size()));
    };
    t.finished = [this] { finishBarrier(); };
  } else if (name == QLatin1String("actSiteMeasure")) {
    t.pressed = [this](QPointF p) {
      measureFrom_ = p;
      measure(p, p);
    };
    t.dragged = [this](QPointF p) { measure(measureFrom_, p); };
    t.released = [this](QPointF p) { measure(measureFrom_, p); };
  } else if (name == QLatin1String("actSiteScale")) {
    t.pressed = [this](QPointF p) {
      drawing_.push_back(p);
      if (drawing_.size() == 2) finishScaling();
    };
  } else {
    return;
  }
  view_->setTool(std::move(t));
}

double cSitePlanDock::planHeight() const { return study_.units == 0 ? 5.0 : 1.5; }

std::string cSitePlanDock::unitWord() const { return study_.units == 0 ? "feet" : "meters"; }

void cSitePlanDock::placeAt(const QPointF& scene) {
  const int key = placeList_->currentData().toInt();
  if (key == 0) {
    status_->setText(QStringLiteral("Nothing to place: add receptors or equipment on the sheets first."));
    return;
  }
  double x = 0, y = 0;
  toPlan(scene, x, y);
  const int id = key % 100000;
  const bool receptor = key / 100000 == kReceptorKey;
  std::optional<cSitePosition> old = receptor ? study_.receptorPosition(id) : study_.equipmentPosition(id);
  const cSitePosition at{x, y, old ? old->height : planHeight()};
  if (receptor) mSitePlan::placeReceptor(study_, id, at);
  else mSitePlan::placeEquipment(study_, id, at);
  // The next one not yet on the plan comes up, so a row of clicks places them all.
  for (int i = 0; i < placeList_->count(); ++i) {
    const int k = placeList_->itemData(i).toInt();
    const int n = k % 100000;
    const bool r = k / 100000 == kReceptorKey;
    if (!(r ? study_.receptorPosition(n) : study_.equipmentPosition(n))) {
      placeList_->setCurrentIndex(i);
      break;
    }
  }
}

void cSitePlanDock::movedTo(bool receptor, int id, const QPointF& scene) {
  double x = 0, y = 0;
  toPlan(scene, x, y);
  std::optional<cSitePosition> old = receptor ? study_.receptorPosition(id) : study_.equipmentPosition(id);
  const cSitePosition at{x, y, old ? old->height : planHeight()};
  if (receptor) mSitePlan::placeReceptor(study_, id, at);
  else mSitePlan::placeEquipment(study_, id, at);
  refresh();
}

void cSitePlanDock::cornerMovedTo(int barrier, int corner, const QPointF& scene) {
  double x = 0, y = 0;
  toPlan(scene, x, y);
  mSitePlan::moveBarrierPoint(study_, static_cast<std::size_t>(barrier), static_cast<std::size_t>(corner), {x, y});
  refresh();
}

void cSitePlanDock::deleteSelected() {
  std::vector<std::pair<bool, int>> symbols;
  std::vector<std::size_t> lines;
  for (QGraphicsItem* item : scene_->selectedItems()) {
    if (auto* r = dynamic_cast<cReceptorItem*>(item)) symbols.emplace_back(true, r->id());
    else if (auto* e = dynamic_cast<cEquipmentItem*>(item)) symbols.emplace_back(false, e->id());
    else if (auto* b = dynamic_cast<cBarrierItem*>(item)) lines.push_back(static_cast<std::size_t>(b->index()));
  }
  for (const auto& [receptor, id] : symbols) {
    if (receptor) mSitePlan::placeReceptor(study_, id, std::nullopt);
    else mSitePlan::placeEquipment(study_, id, std::nullopt);
  }
  std::sort(lines.rbegin(), lines.rend());
  for (std::size_t index : lines) mSitePlan::removeBarrier(study_, index);
  refresh();
}

void cSitePlanDock::toggleTypedShielding() {
  int equipmentID = 0;
  for (QGraphicsItem* item : scene_->selectedItems())
    if (auto* e = dynamic_cast<cEquipmentItem*>(item)) equipmentID = e->id();
  std::shared_ptr<cLinkRecord> link;
  if (equipmentID == 0 || !study_.getLink(link, study_.receptorID(), equipmentID)) {
    status_->setText(QStringLiteral("Select a receptor on the sheet and a piece of equipment on the plan first."));
    return;
  }
  mSitePlan::setTypedShielding(study_, study_.receptorID(), equipmentID, !link->typedShielding);
  status_->setText(link->typedShielding ? QStringLiteral("The shielding of this link is typed.")
                                        : QStringLiteral("The shielding of this link comes from the plan."));
}

void cSitePlanDock::measure(const QPointF& from, const QPointF& to) {
  if (!measure_) {
    measure_ = new cMeasureItem();
    scene_->addItem(measure_);
  }
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  toPlan(from, x0, y0);
  toPlan(to, x1, y1);
  const double d = mSiteGeometry::linkDistance({x0, y0, 0}, {x1, y1, 0});
  const QString text = qs(format0_0(d) + " " + unitWord());
  measure_->setEnds(from, to, text);
  status_->setText(QStringLiteral("Distance: ") + text);
}

void cSitePlanDock::finishBarrier() {
  std::vector<QPointF> points;
  points.swap(drawing_);
  if (measure_) measure_->setEnds({}, {}, QString());
  if (points.size() < 2) return;
  cBarrier barrier{"Barrier " + std::to_string(study_.sitePlan.barriers.size() + 1), {}, topHeight_->value()};
  for (const QPointF& p : points) {
    double x = 0, y = 0;
    toPlan(p, x, y);
    barrier.points.push_back({x, y});
  }
  mSitePlan::addBarrier(study_, std::move(barrier));
  refresh();
}

void cSitePlanDock::finishScaling() {
  std::vector<QPointF> points;
  points.swap(drawing_);
  if (!background_ || background_->pixmap().isNull()) {
    status_->setText(QStringLiteral("Choose a background picture first."));
    return;
  }
  const QPointF p1 = background_->pixelAt(points[0]), p2 = background_->pixelAt(points[1]);
  const double pixels = std::hypot(p2.x() - p1.x(), p2.y() - p1.y());
  if (pixels < 1) {
    status_->setText(QStringLiteral("Click two points apart from each other."));
    return;
  }
  const double s = knownDistance_->value() / pixels;
  double x = 0, y = 0;
  toPlan(points[0], x, y);  // the first point stays where it is on the plan
  study_.holdState(3);
  study_.sitePlan.background.transform = {x - s * p1.x(), s, 0, y + s * p1.y(), 0, -s};
  study_.setCaseChanged(true);
  refresh();
  status_->setText(QStringLiteral("The background is scaled: %1 %2 between the two points.")
                       .arg(knownDistance_->value())
                       .arg(qs(unitWord())));
}

// --------------------------------------------------------------- imports

void cSitePlanDock::importLayer() {
#if VORN_HAVE_GDAL
  services_.prompt.OpenMode(SF_READ);
  services_.prompt.FilePrompt("Site Layer");
  services_.prompt.FileSuffix("geojson;*.shp;*.gpkg;*.dxf;*.csv");
  if (services_.prompt.getFile() != SF_FILE_OK) return;
  const std::string path = services_.prompt.Directory() + services_.prompt.FileName(1);
  const SiteLayerKind kinds[] = {SiteLayerKind::Receptors, SiteLayerKind::Equipment, SiteLayerKind::Barriers};
  mSiteImport::sImportCount count;
  std::string problem;
  if (!mSiteImport::importLayer(study_, path, kinds[std::clamp(importKind_->currentIndex(), 0, 2)], count, problem)) {
    services_.messages.show("The file " + services_.prompt.FileName(1) + " could not be imported: " + problem, "VORN",
                            MessageIcon::Critical);
    return;
  }
  show();
  refresh();
  zoomToFit();
  status_->setText(QStringLiteral("Imported: %1 matched by description, %2 added.").arg(count.matched).arg(count.appended));
#else
  services_.messages.show("Site plans are not available in this build of VORN.", "VORN", MessageIcon::Critical);
#endif
}

void cSitePlanDock::chooseBackground() {
#if VORN_HAVE_GDAL
  services_.prompt.OpenMode(SF_READ);
  services_.prompt.FilePrompt("Background Picture");
  services_.prompt.FileSuffix("png;*.jpg;*.jpeg;*.tif;*.tiff");
  if (services_.prompt.getFile() != SF_FILE_OK) return;
  const std::string path = services_.prompt.Directory() + services_.prompt.FileName(1);
  mSiteImport::sPicture picture;
  std::string problem;
  if (!mSiteImport::readPicture(path, picture, problem)) {
    services_.messages.show("The picture " + services_.prompt.FileName(1) + " could not be read: " + problem, "VORN",
                            MessageIcon::Critical);
    return;
  }
  study_.holdState(3);
  study_.sitePlan.background.path = path;
  study_.sitePlan.background.transform = picture.placed ? picture.transform : std::array<double, 6>{0, 1, 0, 0, 0, -1};
  study_.setCaseChanged(true);
  backgroundShown_.clear();
  refresh();
  zoomToFit();
  status_->setText(picture.placed ? QStringLiteral("The background places itself.")
                                  : QStringLiteral("Scale the background: choose Scale Background and click two points "
                                                   "a known distance apart."));
#else
  services_.messages.show("Site plans are not available in this build of VORN.", "VORN", MessageIcon::Critical);
#endif
}

void cSitePlanDock::loadBackground() {
  const cSiteBackground& bg = study_.sitePlan.background;
  if (bg.path != backgroundShown_) {
    backgroundShown_ = bg.path;
    QPixmap pixmap;
#if VORN_HAVE_GDAL
    std::string path = bg.path;
    if (!path.empty() && path.front() != '/' && !(path.size() > 1 && path[1] == ':'))
      path = study_.caseFile.caseDirectory() + path;
    mSiteImport::sPicture picture;
    std::string problem;
    if (!path.empty() && mSiteImport::readPicture(path, picture, problem)) {
      const QImage image(picture.rgba.data(), picture.width, picture.height, picture.width * 4, QImage::Format_RGBA8888);
      pixmap = QPixmap::fromImage(image.copy());
    } else if (!path.empty()) {
      status_->setText(qs("The background " + bg.path + " could not be read: " + problem));
    }
#endif
    if (!background_) {
      background_ = new cBackgroundItem();
      scene_->addItem(background_);
    }
    background_->setPixmap(pixmap);
  }
  if (background_) background_->place(bg.transform);
}

// ---------------------------------------------------------------- redraw

void cSitePlanDock::syncPlaceList() {
  // The list is rebuilt only when the records it names have changed.
  std::string names;
  for (const auto& r : study_.colReceptors) names += r->description + '\n';
  names += '\t';
  for (const auto& e : study_.colEquipment) names += e->description + '\n';
  if (names == placeNames_) return;
  placeNames_ = std::move(names);
  const int wanted = placeList_->currentData().toInt();
  placeList_->blockSignals(true);
  placeList_->clear();
  for (const auto& r : study_.colReceptors)
    placeList_->addItem(qs("Receptor #" + std::to_string(r->rowID) + ": " + r->description),
                        kReceptorKey * 100000 + r->rowID);
  for (const auto& e : study_.colEquipment)
    placeList_->addItem(qs("Equipment #" + std::to_string(e->rowID) + ": " + e->description),
                        kEquipmentKey * 100000 + e->rowID);
  const int at = placeList_->findData(wanted);
  placeList_->setCurrentIndex(at >= 0 ? at : 0);
  placeList_->blockSignals(false);
}

void cSitePlanDock::refresh() {
  const bool hasPlan = mSitePlan::hasPlan(study_);
  if (hasPlan && !shownOnce_) {
    shownOnce_ = true;
    show();
  }
  view_->setUnitWord(study_.units == 0 ? QStringLiteral("ft") : QStringLiteral("m"));
  syncPlaceList();
  loadBackground();

  std::map<int, cReceptorItem*> receptors;
  for (const auto& r : study_.colReceptors) {
    if (!r->position) continue;
    auto it = receptors_.find(r->rowID);
    cReceptorItem* item = nullptr;
    if (it != receptors_.end()) {
      item = it->second;
      receptors_.erase(it);
    } else {
      item = new cReceptorItem(r->rowID);
      item->setZValue(20);
      const int id = r->rowID;
      item->moved = [this, id](QPointF p) { QTimer::singleShot(0, this, [this, id, p] { movedTo(true, id, p); }); };
      scene_->addItem(item);
    }
    item->setPos(toScene(r->position->x, r->position->y));
    item->setLabel(QString::number(r->rowID), qs(r->description));
    const bool current = r->rowID == study_.receptorID();
    if (current) levels_[r->rowID] = static_cast<int>(worstLevel(*r, study_.NoiseMetric));
    const auto level = levels_.find(r->rowID);
    item->setState(level == levels_.end() ? cReceptorItem::Level::Unknown
                                          : static_cast<cReceptorItem::Level>(level->second),
                   current);
    receptors[r->rowID] = item;
  }
  for (auto& [id, item] : receptors_) delete item;
  receptors_ = std::move(receptors);
  scheduleLevels();

  std::map<int, cEquipmentItem*> equipment;
  for (const auto& e : study_.colEquipment) {
    if (!e->position) continue;
    auto it = equipment_.find(e->rowID);
    cEquipmentItem* item = nullptr;
    if (it != equipment_.end()) {
      item = it->second;
      equipment_.erase(it);
    } else {
      item = new cEquipmentItem(e->rowID);
      item->setZValue(10);
      const int id = e->rowID;
      item->moved = [this, id](QPointF p) { QTimer::singleShot(0, this, [this, id, p] { movedTo(false, id, p); }); };
      scene_->addItem(item);
    }
    item->setPos(toScene(e->position->x, e->position->y));
    item->setLabel(QString::number(e->rowID), qs(e->description));
    item->setActive(e->active);
    equipment[e->rowID] = item;
  }
  for (auto& [id, item] : equipment_) delete item;
  equipment_ = std::move(equipment);

  const auto& lines = study_.sitePlan.barriers;
  while (barriers_.size() > lines.size()) {
    delete barriers_.back();
    barriers_.pop_back();
  }
  while (barriers_.size() < lines.size()) {
    const int index = static_cast<int>(barriers_.size());
    auto* item = new cBarrierItem(index);
    item->setZValue(5);
    item->cornerMoved = [this, index](int corner, QPointF p) {
      QTimer::singleShot(0, this, [this, index, corner, p] { cornerMovedTo(index, corner, p); });
    };
    scene_->addItem(item);
    barriers_.push_back(item);
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    QPolygonF polygon;
    for (const cSitePoint& p : lines[i].points) polygon << toScene(p.x, p.y);
    barriers_[i]->setLine(polygon, qs(lines[i].name + ", top " + format0_0(lines[i].topHeight) + " " + unitWord()));
  }

  if (hasPlan && !fitted_ && isVisible()) {
    fitted_ = true;
    zoomToFit();
  }
  view_->viewport()->update();
}

void cSitePlanDock::zoomToFit() {
  QRectF area;
  const auto add = [&area](const QPointF& p) {
    area = area.isNull() ? QRectF(p, QSizeF(1e-9, 1e-9)) : area.united(QRectF(p, QSizeF(1e-9, 1e-9)));
  };
  for (const auto& [id, item] : receptors_) add(item->pos());
  for (const auto& [id, item] : equipment_) add(item->pos());
  for (const cBarrierItem* b : barriers_) {
    const QRectF r = b->sceneBoundingRect();
    add(r.topLeft());
    add(r.bottomRight());
  }
  if (background_ && !background_->pixmap().isNull()) {
    const QRectF r = background_->sceneBoundingRect();
    add(r.topLeft());
    add(r.bottomRight());
  }
  if (area.isNull()) return;
  const double margin = std::max({area.width(), area.height(), 10.0}) * 0.15;
  view_->fitInView(area.adjusted(-margin, -margin, margin, margin), Qt::KeepAspectRatio);
}

cReceptorItem* cSitePlanDock::receptorItem(int id) const {
  const auto it = receptors_.find(id);
  return it == receptors_.end() ? nullptr : it->second;
}

cBarrierItem* cSitePlanDock::barrierItem(int index) const {
  return index >= 0 && index < barrierCount() ? barriers_[static_cast<std::size_t>(index)] : nullptr;
}

void cSitePlanDock::scheduleLevels() {
  if (levelsPending_ || receptors_.empty()) return;
  if (receptors_.size() == 1 && receptors_.begin()->first == study_.receptorID()) return;
  levelsPending_ = true;
  QPointer<cSitePlanDock> dock(this);
  QTimer::singleShot(0, this, [dock] {
    if (dock) dock->computeLevels();
  });
}

void cSitePlanDock::computeLevels() {
  levelsPending_ = false;
  std::vector<std::int32_t> others;
  for (const auto& [id, item] : receptors_)
    if (id != study_.receptorID()) others.push_back(id);
  const std::vector<std::shared_ptr<cReceptorRecord>> computed = mAsItStands::computeEach(study_, others);
  std::map<int, int> levels;
  std::size_t next = 0;
  for (const auto& [id, item] : receptors_) {
    const bool current = id == study_.receptorID();
    cReceptorItem::Level level = item->level();
    if (!current) {
      const std::shared_ptr<cReceptorRecord>& r = computed[next++];
      level = r ? worstLevel(*r, study_.NoiseMetric) : cReceptorItem::Level::Unknown;
    }
    levels[id] = static_cast<int>(level);
    item->setState(level, current);
  }
  levels_ = std::move(levels);
}

cEquipmentItem* cSitePlanDock::equipmentItem(int id) const {
  const auto it = equipment_.find(id);
  return it == equipment_.end() ? nullptr : it->second;
}
