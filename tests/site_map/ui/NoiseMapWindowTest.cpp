#include <chrono>
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGraphicsView>
#include <QMenu>
#include <QPushButton>
#include <QXmlStreamReader>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QStatusBar>
#include <gtest/gtest.h>

#include "site/mNoiseBands.h"
#include "site/mNoiseMap.h"
#include "site/mSitePlan.h"
#include "study/mFormat.h"
#include "site/ui/cNoiseMapDock.h"
#include "site/ui/cNoiseMapItem.h"
#include "site/ui/cSitePlanDock.h"
#include "site/ui/cSitePlanView.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

const std::string kExamples = std::string(VORN_SOURCE_DIR) + "/examples/";

// The whole program with the example case and its plan, the noise map shown.
struct NoiseMapWindow : ::testing::Test {
  cStartedProgram started;
  TempDir dir;
  cSitePlanDock* plan = nullptr;
  cNoiseMapDock* map = nullptr;

  void SetUp() override {
    ASSERT_TRUE(started.start());
    for (const char* name : {"Bridge Demolition.cas", "Bridge Demolition.gpkg"})
      std::filesystem::copy_file(kExamples + name, dir.file(name));
    started.dialog.chooseFile(dir.file("Bridge Demolition.cas"));
    started.choose("mFile_1");
    plan = started.window().findChild<cSitePlanDock*>(QStringLiteral("sitePlanDock"));
    map = started.window().findChild<cNoiseMapDock*>(QStringLiteral("noiseMapDock"));
    ASSERT_NE(plan, nullptr);
    ASSERT_NE(map, nullptr);
    QAction* toggle = started.window().findChild<QAction*>(QStringLiteral("mView_6"));
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->text(), QStringLiteral("Noise &Map"));
    toggle->trigger();
    ASSERT_TRUE(waitForMaps(1));
  }
  cStudy& study() { return started.study(); }
  // Lets the window run until this many maps have been shown in all (the
  // computation is off the window's thread); false after 30 s.
  bool waitForMaps(int count) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (map->mapsShown() < count || map->busy()) {
      if (std::chrono::steady_clock::now() > until) return false;
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
  }
  QPoint onScreen(double x, double y) { return plan->view()->mapFromScene(cSitePlanDock::toScene(x, y)); }
};

}  // namespace

TEST_F(NoiseMapWindow, ShowsTheBandsUnderTheSymbolsWithALegendAndTheLevelUnderThePointer) {
  cNoiseMapItem* item = map->item();
  ASSERT_TRUE(item->hasValues());
  EXPECT_TRUE(item->isVisible());
  EXPECT_LT(item->zValue(), 5);  // under barriers, equipment and receptors
  EXPECT_GT(item->edgeCount(), 0);
  EXPECT_FALSE(item->labels().empty());
  // Every coloured cell has its band's colour: check the cell under a piece.
  const auto& e = *study().colEquipment[0];
  ASSERT_TRUE(e.position);
  float v = 0;
  ASSERT_TRUE(item->valueAt(e.position->x, e.position->y, v));
  const int band = mNoiseBands::bandOf(v);
  ASSERT_GE(band, 0);
  const QRectF r = item->boundingRect();
  const int col = static_cast<int>((e.position->x - r.left()) / (r.width() / item->image().width()));
  const int row = static_cast<int>((-e.position->y - r.top()) / (r.height() / item->image().height()));
  EXPECT_EQ(item->image().pixel(col, row) & 0xffffff, mNoiseBands::colour(band));
  // The legend lists every band.
  EXPECT_NE(map->findChild<QWidget*>(QStringLiteral("noiseMapLegend")), nullptr);
  // Opacity follows the slider.
  auto* opacity = map->findChild<QSlider*>(QStringLiteral("sldNoiseMapOpacity"));
  opacity->setValue(40);
  EXPECT_DOUBLE_EQ(item->opacity(), 0.4);
  // The level under the pointer, in the status bar, as the cell holds it.
  const QPoint at = onScreen(e.position->x, e.position->y);
  QMouseEvent move(QEvent::MouseMove, QPointF(at), plan->view()->viewport()->mapToGlobal(QPointF(at)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(plan->view()->viewport(), &move);
  const QString message = started.window().statusBar()->currentMessage();
  EXPECT_TRUE(message.startsWith(QStringLiteral("Noise map: Lmax "))) << message.toStdString();
  float under = 0;
  const QPointF scene = plan->view()->mapToScene(at);
  ASSERT_TRUE(item->valueAt(scene.x(), -scene.y(), under));
  EXPECT_EQ(message.toStdString(), "Noise map: Lmax " + format0_0(under) + " dBA");
}

TEST_F(NoiseMapWindow, FollowsAnEditAndANewerEditCancelsTheOlderComputation) {
  const auto& e = *study().colEquipment[0];
  const double x = e.position->x, y = e.position->y;
  float before = 0;
  ASSERT_TRUE(map->item()->valueAt(x, y, before));
  // Moving the piece 40 units east (one undo step, as a drag does) moves its
  // loud spot with it.
  const int shown = map->mapsShown();
  ASSERT_TRUE(mSitePlan::placeEquipment(study(), 1, cSitePosition{x + 40, y, e.position->height}));
  ASSERT_TRUE(waitForMaps(shown + 1));
  float after = 0;
  ASSERT_TRUE(map->item()->valueAt(x + 40, y, after));
  float left = 0;
  ASSERT_TRUE(map->item()->valueAt(x, y, left));
  EXPECT_GT(after, left);
  // Two computations asked one after the other: only the newer is shown.
  const int dropped = map->mapsDropped();
  map->recompute();
  map->recompute();
  ASSERT_TRUE(waitForMaps(shown + 2));
  EXPECT_GE(map->mapsDropped(), dropped + 1);
  EXPECT_EQ(map->mapsShown(), shown + 2);
}

TEST_F(NoiseMapWindow, ExceedanceOfAChosenLimitAndHidingTheMap) {
  auto* layer = map->findChild<QComboBox*>(QStringLiteral("cmbNoiseMapLayer"));
  ASSERT_NE(layer, nullptr);
  const int shown = map->mapsShown();
  layer->setCurrentIndex(3);  // the case's metric over a limit
  QApplication::processEvents();
  const QString status = map->status()->text();
  if (status.contains(QStringLiteral("over the"))) {
    ASSERT_TRUE(waitForMaps(shown + 1));
    EXPECT_TRUE(map->item()->hasValues());
  } else {
    // A criterion that gives no limit says why and shows no map.
    EXPECT_FALSE(status.isEmpty());
    EXPECT_FALSE(map->item()->hasValues());
  }
  map->findChild<QCheckBox*>(QStringLiteral("chkNoiseMap"))->setChecked(false);
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_FALSE(map->item()->isVisible());
  EXPECT_FALSE(map->busy());
}

namespace {

// A point of the viewport over a cell that only the map covers (no symbol,
// nor the scale bar, the north arrow or the legend's corner), whose cells
// all around are in the same band; false when the map has none.
bool plainMapPoint(QGraphicsView& view, const cNoiseMapItem& item, QPoint& at, int& band) {
  const QImage& img = item.image();
  const QRectF r = item.boundingRect();
  const double cell = r.width() / img.width();
  const QRect viewport = view.viewport()->rect();
  const QRect middle(viewport.width() / 8, viewport.height() / 8, viewport.width() * 5 / 8, viewport.height() * 5 / 8);
  for (int row = 2; row + 2 < img.height(); ++row)
    for (int col = 2; col + 2 < img.width(); ++col) {
      const QRgb c = img.pixel(col, row);
      if (qAlpha(c) == 0) continue;
      bool same = true;
      for (int dr = -2; dr <= 2 && same; ++dr)
        for (int dc = -2; dc <= 2 && same; ++dc) same = img.pixel(col + dc, row + dr) == c;
      if (!same) continue;
      const QPointF scene(r.left() + (col + 0.5) * cell, r.top() + (row + 0.5) * cell);
      const QPoint p = view.mapFromScene(scene);
      if (!middle.contains(p)) continue;
      bool alone = true;
      for (QGraphicsItem* i : view.items(QRect(p - QPoint(6, 6), QSize(13, 13))))
        if (i != &item && i->zValue() >= item.zValue() && i->parentItem() != &item) alone = false;
      if (!alone) continue;
      float v = 0;
      if (!item.valueAt(scene.x(), -scene.y(), v)) continue;
      at = p;
      band = mNoiseBands::bandOf(v);
      return band >= 0 && (c & 0xffffff) == mNoiseBands::colour(band);
    }
  return false;
}

// The texts of an SVG drawing, and whether it parsed.
bool svgTexts(const QString& path, QStringList& texts, QSize& size) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("svg")) {
      const QStringList box = xml.attributes().value(QLatin1String("viewBox")).toString().split(QLatin1Char(' '));
      if (box.size() == 4) size = QSize(box[2].toInt(), box[3].toInt());
    }
    if (xml.name() == QLatin1String("text")) texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
  }
  return !xml.hasError();
}

}  // namespace

TEST_F(NoiseMapWindow, SavesThePlanWithTheMapAndItsLegendAsPngAndSvg) {
  // Cells large enough to see, the map fully opaque.
  auto* cell = map->findChild<QDoubleSpinBox*>(QStringLiteral("spnNoiseMapCell"));
  const int shown = map->mapsShown();
  cell->setValue(12);
  ASSERT_TRUE(waitForMaps(shown + 1));
  map->findChild<QSlider*>(QStringLiteral("sldNoiseMapOpacity"))->setValue(100);
  QGraphicsView& view = *plan->view();
  QPoint at;
  int band = -1;
  ASSERT_TRUE(plainMapPoint(view, *map->item(), at, band));

  // File > Export Noise Map > PNG Image..., right after File > Export Results.
  QAction* png = started.item("mExportMapPng");
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->text(), QStringLiteral("PNG Image..."));
  EXPECT_EQ(started.item("mExportMapSvg")->text(), QStringLiteral("SVG Drawing..."));
  auto* fileMenu = started.window().findChild<QMenu*>(QStringLiteral("mFile"));
  auto* pictures = started.window().findChild<QMenu*>(QStringLiteral("mExportMap"));
  ASSERT_NE(pictures, nullptr);
  EXPECT_EQ(pictures->title(), QStringLiteral("Export Noise &Map"));
  const QList<QAction*> items = fileMenu->actions();
  EXPECT_EQ(items.indexOf(pictures->menuAction()), items.indexOf(started.item("mFile_4")) + 1);
  const std::size_t messages = started.messages.messages().size();
  started.dialog.chooseFile(dir.file("plan.png"));
  started.choose("mExportMapPng");
  QImage picture(QString::fromStdString(dir.file("plan.png")));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), view.viewport()->size());
  EXPECT_EQ(picture.pixel(at) & 0xffffff, mNoiseBands::colour(band)) << at.x() << "," << at.y();
  // The legend's box in the lower right corner: white behind its title.
  EXPECT_EQ(picture.pixel(picture.width() - 12, picture.height() - 12) & 0xffffff, 0xffffffu);

  // The dock's own command, a name typed without its type.
  auto* svg = map->findChild<QPushButton*>(QStringLiteral("cmdNoiseMapSaveSvg"));
  ASSERT_TRUE(svg->isEnabled());
  started.dialog.chooseFile(dir.file("plan"));
  svg->click();
  QApplication::processEvents();
  QStringList texts;
  QSize size;
  ASSERT_TRUE(svgTexts(QString::fromStdString(dir.file("plan.svg")), texts, size));
  EXPECT_TRUE(texts.contains(QStringLiteral("Lmax, dBA"))) << texts.join(QLatin1Char('|')).toStdString();
  for (int b = 0; b < mNoiseBands::count; ++b)
    EXPECT_TRUE(texts.contains(QString::fromStdString(mNoiseBands::label(b)))) << mNoiseBands::label(b);
  EXPECT_TRUE(texts.contains(QStringLiteral("80 dB and above")));
  EXPECT_EQ(size, view.viewport()->size());
  EXPECT_EQ(started.messages.messages().size(), messages);

  // Without a map there is nothing to save.
  map->findChild<QCheckBox*>(QStringLiteral("chkNoiseMap"))->setChecked(false);
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_FALSE(png->isEnabled());
  EXPECT_FALSE(svg->isEnabled());
}

TEST_F(NoiseMapWindow, ARectangleDrawnOnThePlanIsTheMapsExtentUntilThePlansIsChosenAgain) {
  QGraphicsView& view = *plan->view();
  QWidget* viewport = view.viewport();
  auto* draw = map->findChild<QPushButton*>(QStringLiteral("cmdNoiseMapDrawExtent"));
  auto* whole = map->findChild<QPushButton*>(QStringLiteral("cmdNoiseMapPlanExtent"));
  ASSERT_NE(draw, nullptr);
  ASSERT_NE(whole, nullptr);
  EXPECT_FALSE(whole->isEnabled());
  const QRectF planRect = map->item()->boundingRect();
  // The drag starts on a piece: with the tool on it draws, and moves nothing.
  const auto& e = *study().colEquipment[0];
  const cSitePosition was = *e.position;
  const QPoint from = onScreen(was.x, was.y);
  const QPoint to = from + QPoint(90, 60);
  draw->click();
  EXPECT_TRUE(draw->isChecked());
  auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent ev(type, QPointF(p), viewport->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &ev);
  };
  const int shown = map->mapsShown();
  send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, from + QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  ASSERT_TRUE(waitForMaps(shown + 1));
  EXPECT_EQ(e.position->x, was.x);
  EXPECT_EQ(e.position->y, was.y);
  EXPECT_FALSE(draw->isChecked());  // the tool ends with its drag
  EXPECT_TRUE(whole->isEnabled());
  // The map covers the rectangle, grown to whole cells about its centre.
  const QRectF drawn = QRectF(view.mapToScene(from), view.mapToScene(to)).normalized();
  const QRectF r = map->item()->boundingRect();
  const double cellSize = r.width() / map->item()->image().width();
  EXPECT_LE(r.left(), drawn.left() + 1e-9);
  EXPECT_GE(r.right(), drawn.right() - 1e-9);
  EXPECT_LE(r.top(), drawn.top() + 1e-9);
  EXPECT_GE(r.bottom(), drawn.bottom() - 1e-9);
  EXPECT_LT(r.width() - drawn.width(), 2 * cellSize);
  EXPECT_LT(r.height() - drawn.height(), 2 * cellSize);
  EXPECT_NEAR(r.center().x(), drawn.center().x(), 1e-6);
  EXPECT_NEAR(r.center().y(), drawn.center().y(), 1e-6);
  // The automatic cell: the longer side over 500 cells.
  EXPECT_EQ(std::max(map->item()->image().width(), map->item()->image().height()),
            cGridFrame::defaultCellsOnLongerSide);
  EXPECT_TRUE(map->status()->text().contains(QStringLiteral("over the extent drawn")));
  ASSERT_TRUE(map->drawnExtent());

  // It stays through an edit.
  ASSERT_TRUE(mSitePlan::placeEquipment(study(), 1, cSitePosition{was.x + 5, was.y, was.height}));
  ASSERT_TRUE(waitForMaps(shown + 2));
  EXPECT_EQ(map->item()->boundingRect(), r);

  // A click with the tool draws nothing and keeps the extent.
  draw->click();
  send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, from + QPoint(1, 1), Qt::LeftButton, Qt::NoButton);
  QApplication::processEvents();
  EXPECT_FALSE(draw->isChecked());
  EXPECT_EQ(map->item()->boundingRect(), r);

  // Escape on the plan ends the tool: the drag after it selects as before.
  draw->click();
  ASSERT_TRUE(draw->isChecked());
  QTest::keyClick(&view, Qt::Key_Escape);
  EXPECT_FALSE(draw->isChecked());
  EXPECT_EQ(map->item()->boundingRect(), r);

  // Back to the plan's extent.
  whole->click();
  ASSERT_TRUE(waitForMaps(shown + 3));
  EXPECT_FALSE(whole->isEnabled());
  EXPECT_FALSE(map->drawnExtent());
  const cGridFrame f = mNoiseMap::defaultFrame(study());
  EXPECT_EQ(map->item()->boundingRect(), QRectF(f.xmin, -f.ymax, f.cell * f.columns, f.cell * f.rows));
  EXPECT_EQ(map->item()->boundingRect(), planRect);

  // An extent belongs to the case it was drawn on: the next case opened maps
  // its own plan.
  draw->click();
  send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  ASSERT_TRUE(waitForMaps(shown + 4));
  ASSERT_TRUE(map->drawnExtent());
  TempDir other;
  for (const char* name : {"Bridge Demolition.cas", "Bridge Demolition.gpkg"})
    std::filesystem::copy_file(kExamples + name, other.file(name));
  started.messages.script({MessageAnswer::Yes});  // the edit above is not kept
  started.dialog.chooseFile(other.file("Bridge Demolition.cas"));
  started.choose("mFile_1");
  ASSERT_TRUE(waitForMaps(shown + 5));
  EXPECT_FALSE(map->drawnExtent());
  EXPECT_FALSE(whole->isEnabled());
  EXPECT_EQ(map->item()->boundingRect(), planRect);
}
