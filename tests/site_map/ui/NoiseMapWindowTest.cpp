#include <chrono>
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QStatusBar>
#include <gtest/gtest.h>

#include "site/mNoiseBands.h"
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
