#include <cmath>
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMouseEvent>
#include <QToolBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "site/mSitePlan.h"
#include "study/mFormat.h"
#include "site/ui/cBarrierCornerItem.h"
#include "site/ui/cBarrierItem.h"
#include "site/ui/cEquipmentItem.h"
#include "site/ui/cReceptorItem.h"
#include "site/ui/cSitePlanDock.h"
#include "site/ui/cSitePlanView.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

const std::string kExamples = std::string(VORN_SOURCE_DIR) + "/examples/";

// The whole program with the example case and its plan opened through File > Open.
struct SitePlanWindow : ::testing::Test {
  cStartedProgram started;
  TempDir dir;
  cSitePlanDock* dock = nullptr;

  void SetUp() override {
    ASSERT_TRUE(started.start());
    for (const char* name : {"Bridge Demolition.cas", "Bridge Demolition.gpkg"})
      std::filesystem::copy_file(kExamples + name, dir.file(name));
    started.dialog.chooseFile(dir.file("Bridge Demolition.cas"));
    started.choose("mFile_1");
    dock = started.window().findChild<cSitePlanDock*>(QStringLiteral("sitePlanDock"));
    ASSERT_NE(dock, nullptr);
    settle();
  }
  cStudy& study() { return started.study(); }
  static void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  QWidget* viewport() { return dock->view()->viewport(); }
  QPoint onScreen(const QPointF& scene) { return dock->view()->mapFromScene(scene); }
  void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), viewport()->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &event);
  }
  // A press, a few moves and a release, as a hand drags.
  void drag(QPoint from, QPoint to) {
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 5; ++step)
      mouse(QEvent::MouseMove, from + (to - from) * step / 5, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    settle();
  }
  void click(QPoint at) {
    mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    settle();
  }
  std::shared_ptr<cLinkRecord> link(int receptor, int equipment) {
    std::shared_ptr<cLinkRecord> l;
    study().colReceptors[static_cast<std::size_t>(receptor - 1)]->getLink(l, equipment);
    return l;
  }
  cSheetGrid& equipmentGrid() { return *started.window().equipmentSheet().grid(); }
  cSheetGrid& resultsGrid() { return *started.window().results().grid(); }
};

}  // namespace

TEST_F(SitePlanWindow, TheExamplesPlanShowsAtOnceWithTheSelectedReceptorAndItsLockedDistances) {
  EXPECT_TRUE(dock->isVisible());
  EXPECT_FALSE(study().caseChanged());
  ASSERT_NE(dock->receptorItem(1), nullptr);
  ASSERT_NE(dock->receptorItem(2), nullptr);
  EXPECT_EQ(dock->receptorItem(3), nullptr);  // the rail yard is off the plan
  EXPECT_TRUE(dock->receptorItem(1)->isCurrent());
  EXPECT_FALSE(dock->receptorItem(2)->isCurrent());
  EXPECT_NE(dock->receptorItem(1)->level(), cReceptorItem::Level::Unknown);
  for (int id = 1; id <= 7; ++id) ASSERT_NE(dock->equipmentItem(id), nullptr) << id;
  EXPECT_FALSE(dock->equipmentItem(6)->isActive());  // the shears are inactive in the case
  EXPECT_TRUE(dock->equipmentItem(5)->isActive());
  EXPECT_EQ(dock->barrierCount(), 1);
  EXPECT_EQ(dock->equipmentItem(5)->description(), QStringLiteral("Dump Truck"));

  EXPECT_TRUE(equipmentGrid().isLocked(9, 5));
  EXPECT_TRUE(equipmentGrid().table()->item(4, 8)->toolTip().startsWith(QStringLiteral("Computed from the site plan (")));
  // The generator's shielding behind the hoarding stays typed and open.
  EXPECT_FALSE(equipmentGrid().isLocked(10, 7));
  EXPECT_TRUE(equipmentGrid().isLocked(10, 5));
  EXPECT_EQ(equipmentGrid().table()->item(4, 9)->toolTip(),
            QStringLiteral("Computed from the site plan: no barrier cuts the line of sight"));
}

TEST_F(SitePlanWindow, DraggingAPieceRecomputesItsDistanceAndResultAsOneUndoStep) {
  cEquipmentItem* truck = dock->equipmentItem(5);
  const QPoint from = onScreen(truck->pos());
  const QPoint to = onScreen(cSitePlanDock::toScene(-50, 20));  // 60 feet south of the apartments
  drag(from, to);

  const cSitePosition moved = *study().equipmentPosition(5);
  EXPECT_NE(moved.x, 67.5);
  const double feet = std::hypot(moved.x + 50, moved.y - 80);
  EXPECT_NEAR(feet, 60, 3);  // within a few pixels of where the hand let go
  EXPECT_EQ(link(1, 5)->distance, static_cast<float>(std::stof(numberText(static_cast<float>(feet)))));
  EXPECT_TRUE(study().caseChanged());
  // The sheet and the results follow: 84 dBA at 50 feet, no shielding.
  EXPECT_EQ(equipmentGrid().text(9, 5), format0_0(link(1, 5)->distance));
  const double lmax = 84 - 20 * std::log10(link(1, 5)->distance / 50.0);
  EXPECT_EQ(resultsGrid().text(2, 6), format0_0(static_cast<float>(lmax)));
  EXPECT_EQ(dock->equipmentItem(5)->pos(), cSitePlanDock::toScene(moved.x, moved.y));

  started.choose("mEdit_3");
  settle();
  EXPECT_EQ(link(1, 5)->distance, 160.0f);
  EXPECT_EQ(equipmentGrid().text(9, 5), "160.0");
  EXPECT_EQ(study().equipmentPosition(5)->x, 67.5);
  EXPECT_EQ(dock->equipmentItem(5)->pos(), cSitePlanDock::toScene(67.5, study().equipmentPosition(5)->y));
}

TEST_F(SitePlanWindow, ClickingAReceptorOnThePlanSelectsItOnTheSheetAndBack) {
  click(onScreen(dock->receptorItem(2)->pos()));
  settle();
  EXPECT_EQ(study().receptorID(), 2);
  EXPECT_TRUE(dock->receptorItem(2)->isCurrent());
  EXPECT_FALSE(dock->receptorItem(1)->isCurrent());
  EXPECT_EQ(started.window().lblReceptor(2)->text(), QStringLiteral("Receptor #2"));

  started.events().selectReceptor(1);
  settle();
  EXPECT_TRUE(dock->receptorItem(1)->isCurrent());
  EXPECT_FALSE(dock->receptorItem(2)->isCurrent());
}

TEST_F(SitePlanWindow, TheDistanceToolMeasuresInTheCasesUnitsAndTheWheelZooms) {
  dock->action("actSiteMeasure")->trigger();
  drag(onScreen(dock->receptorItem(1)->pos()), onScreen(dock->receptorItem(2)->pos()));
  const QString text = dock->status()->text();
  ASSERT_TRUE(text.startsWith(QStringLiteral("Distance: "))) << text.toStdString();
  ASSERT_TRUE(text.endsWith(QStringLiteral(" feet"))) << text.toStdString();
  const double pixel = 1 / dock->view()->transform().m11();
  EXPECT_NEAR(text.mid(10, text.size() - 15).toDouble(), 100.0, 2 * pixel + 0.05);
  EXPECT_EQ(study().colReceptors[0]->position->x, -50.0);  // measuring moves nothing

  const double before = dock->view()->transform().m11();
  const QPointF at(viewport()->rect().center());
  QWheelEvent wheel(at, viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(viewport(), &wheel);
  EXPECT_DOUBLE_EQ(dock->view()->transform().m11(), before * 1.25);
  EXPECT_GT(dock->view()->scaleBarLength(), 0);
}

TEST_F(SitePlanWindow, PlacingAndDeletingGoThroughTheChosenRecord) {
  dock->action("actSitePlace")->trigger();
  auto* list = dock->findChild<QComboBox*>(QStringLiteral("cmboSitePlace"));
  ASSERT_NE(list, nullptr);
  list->setCurrentIndex(2);  // Receptor #3, the rail yard
  click(onScreen(cSitePlanDock::toScene(90, -433.137)));
  ASSERT_TRUE(study().receptorPosition(3));
  EXPECT_NE(dock->receptorItem(3), nullptr);
  EXPECT_EQ(study().receptorPosition(3)->height, 5.0);
  EXPECT_NEAR(link(3, 1)->distance, 400.0f, 3.0f);  // the hoe ram is 400 feet north of there

  dock->action("actSiteSelect")->trigger();
  dock->receptorItem(3)->setSelected(true);
  dock->action("actSiteDelete")->trigger();
  settle();
  EXPECT_FALSE(study().receptorPosition(3));
  EXPECT_EQ(dock->receptorItem(3), nullptr);
}

TEST_F(SitePlanWindow, EveryControlHasAnAccessibleName) {
  auto* tools = dock->findChild<QToolBar*>(QStringLiteral("sitePlanTools"));
  ASSERT_NE(tools, nullptr);
  for (QAction* a : tools->actions()) {
    QWidget* w = tools->widgetForAction(a);
    if (!w || a->isSeparator()) continue;
    EXPECT_FALSE(w->accessibleName().isEmpty()) << a->objectName().toStdString();
  }
  EXPECT_EQ(dock->view()->accessibleName(), QStringLiteral("Site Plan"));
  EXPECT_FALSE(dock->status()->accessibleName().isEmpty());
  QAction* toggle = started.item("mView_5");
  ASSERT_NE(toggle, nullptr);
  EXPECT_EQ(toggle->text(), QStringLiteral("Site &Plan"));
  toggle->trigger();
  EXPECT_FALSE(dock->isVisible());
}

TEST_F(SitePlanWindow, EveryReceptorShowsItsColourAfterAnEditWithoutBeingSelected) {
  // The dental office (not selected) starts well over its limits.
  ASSERT_EQ(study().receptorID(), 1);
  ASSERT_EQ(dock->receptorItem(2)->level(), cReceptorItem::Level::High);
  // Every piece dragged half a mile south of the street, the topmost first.
  for (int id = 7; id >= 1; --id) {
    const QPoint from = onScreen(dock->equipmentItem(id)->pos());
    drag(from, onScreen(cSitePlanDock::toScene(40.0 * id, -2600)));
    ASSERT_LT(study().equipmentPosition(id)->y, -2000) << id;
  }
  ASSERT_EQ(study().receptorID(), 1);
  const cReceptorItem::Level shown = dock->receptorItem(2)->level();
  EXPECT_NE(shown, cReceptorItem::Level::High);
  EXPECT_NE(shown, cReceptorItem::Level::Unknown);
  // What selecting it computes is what it already showed.
  started.events().selectReceptor(2);
  settle();
  EXPECT_TRUE(dock->receptorItem(2)->isCurrent());
  EXPECT_EQ(dock->receptorItem(2)->level(), shown);
  // Undo brings the last piece back; the office's colour follows without
  // being selected, as selecting it shows.
  started.events().selectReceptor(1);
  settle();
  started.choose("mEdit_3");
  settle();
  const cReceptorItem::Level afterUndo = dock->receptorItem(2)->level();
  started.events().selectReceptor(2);
  settle();
  EXPECT_EQ(dock->receptorItem(2)->level(), afterUndo);
}

TEST_F(SitePlanWindow, DraggingABarrierCornerRecomputesTheShieldingAsOneUndoStep) {
  cBarrierItem* hoarding = dock->barrierItem(0);
  ASSERT_NE(hoarding, nullptr);
  ASSERT_EQ(hoarding->cornerCount(), 2);
  EXPECT_EQ(link(2, 1)->sheilding, 0.0f);  // nothing between the hoe ram and the dental office
  // The hoarding's north end dragged from (215, -5) to about (40, 30): it
  // now crosses the line from the hoe ram to the dental office.
  drag(onScreen(hoarding->corner(1)->scenePos()), onScreen(cSitePlanDock::toScene(40, 30)));
  const cBarrier& b = study().sitePlan.barriers[0];
  const double pixel = 1 / dock->view()->transform().m11();
  EXPECT_NEAR(b.points[1].x, 40, 2 * pixel);
  EXPECT_NEAR(b.points[1].y, 30, 2 * pixel);
  EXPECT_EQ(b.points[0].x, 200.0);
  EXPECT_EQ(b.points[0].y, -40.0);
  EXPECT_TRUE(study().caseChanged());

  // By hand: where the source-receptor line crosses the barrier, the path
  // over its 10 ft top from 5 ft heights, in meters; 10 lg(3 + 20 z / 0.68).
  const double sx = 90, sy = -33.13708498984761, rx = 50, ry = 80;
  const double ax = 200, ay = -40, bx = b.points[1].x, by = b.points[1].y;
  const double den = (rx - sx) * (by - ay) - (ry - sy) * (bx - ax);
  const double t = ((ax - sx) * (by - ay) - (ay - sy) * (bx - ax)) / den;
  const double d = std::hypot(rx - sx, ry - sy), d1 = t * d, d2 = d - d1;
  const double z = (std::hypot(d1, 5.0) + std::hypot(d2, 5.0) - d) * 0.30480061;
  const double dz = 10 * std::log10(3 + 20 * z / 0.68);
  ASSERT_GT(t, 0);
  ASSERT_LT(t, 1);
  EXPECT_NEAR(link(2, 1)->sheilding, dz, 1e-4);
  EXPECT_GT(link(2, 1)->sheilding, 5.0f);
  // The corner's handle and the line show the new place.
  EXPECT_EQ(hoarding->corner(1)->scenePos(), cSitePlanDock::toScene(b.points[1].x, b.points[1].y));

  started.choose("mEdit_3");
  settle();
  EXPECT_EQ(study().sitePlan.barriers[0].points[1].x, 215.0);
  EXPECT_EQ(study().sitePlan.barriers[0].points[1].y, -5.0);
  EXPECT_EQ(link(2, 1)->sheilding, 0.0f);
  EXPECT_EQ(dock->barrierItem(0)->corner(1)->scenePos(), cSitePlanDock::toScene(215, -5));
}
