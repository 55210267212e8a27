// The main window fits the screens people have, with an example case open:
// no control outside the screen, every sheet's rows shown or reachable by
// scrolling, zooming a frame never makes the window larger than the screen,
// and captions and buttons that come and go move nothing else.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"

namespace {

struct Screen {
  const char* name;
  QSize logical;  // what the screen offers at its scale
};

class Layout : public ::testing::TestWithParam<Screen> {
protected:
  void SetUp() override {
    ASSERT_TRUE(started.start());
    const auto screens = QGuiApplication::screens();
    for (QScreen* s : screens)
      if (s->name() == QLatin1String(GetParam().name)) screen = s;
    ASSERT_NE(screen, nullptr) << "the offscreen platform reads tests/layout/screens.json";
    ASSERT_EQ(screen->availableGeometry().size(), GetParam().logical);
    frmMain& w = started.window();
    w.setScreen(screen);
    w.move(screen->availableGeometry().topLeft());
    w.fitToScreen();
    settle();
    started.dialog.chooseFile(std::string(VORN_SOURCE_DIR) + "/examples/Bridge Demolition.cas");
    started.choose("mFile_1");
    settle();
  }
  static void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  frmMain& window() { return started.window(); }

  // The window on its screen, and every control shown inside the window.
  void expectEverythingOnScreen(const char* when) {
    const QRect room = screen->availableGeometry();
    EXPECT_TRUE(room.contains(window().frameGeometry())) << when << ": window " << window().frameGeometry().width()
                                                          << "x" << window().frameGeometry().height();
    const QRect inside = window().rect();
    for (QWidget* w : window().findChildren<QWidget*>()) {
      if (!w->isVisibleTo(&window()) || w->window() != &window()) continue;
      if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLabel*>(w) && !qobject_cast<QComboBox*>(w) &&
          !qobject_cast<QLineEdit*>(w) && !qobject_cast<QTableWidget*>(w))
        continue;
      if (w->parentWidget() && qobject_cast<QTableWidget*>(w->parentWidget()->parentWidget())) continue;  // editors
      const QRect at(w->mapTo(&window(), QPoint(0, 0)), w->size());
      EXPECT_TRUE(inside.contains(at)) << when << ": " << w->metaObject()->className() << " "
                                       << w->objectName().toStdString() << " at " << at.x() << "," << at.y() << " "
                                       << at.width() << "x" << at.height();
    }
  }

  // A sheet shows a whole row at least, and the rest is a scroll away.
  void expectRowsReachable(cSheetGrid* grid, const char* when) {
    QTableWidget* table = grid->table();
    if (!table->isVisibleTo(&window())) return;
    const int rowHeight = table->verticalHeader()->defaultSectionSize();
    const int shown = table->viewport()->height();
    EXPECT_GE(shown, rowHeight) << when << ": " << grid->objectName().toStdString();
    const int all = rowHeight * table->rowCount();
    if (all > shown) {
      EXPECT_GT(table->verticalScrollBar()->maximum(), 0) << when << ": " << grid->objectName().toStdString();
    }
  }

  void expectSheetsReachable(const char* when) {
    expectRowsReachable(window().receptors().grid(), when);
    expectRowsReachable(window().equipmentSheet().grid(), when);
    expectRowsReachable(window().results().grid(), when);
  }

  void zoomInto(int frame) {
    started.choose("mZoom_1");
    started.events().frameClicked(frame);
    settle();
  }
  void zoomOut(int frame) {
    started.choose("mZoom_2");
    started.events().frameClicked(frame);
    settle();
  }

  cStartedProgram started;
  QScreen* screen = nullptr;
};

TEST_P(Layout, TheWindowFitsAndEverySheetCanBeRead) {
  expectEverythingOnScreen("normal");
  expectSheetsReachable("normal");
  // Short of room, the input sheets give up rows first; the results keep the
  // totals and three pieces in view.
  EXPECT_GE(window().receptors().grid()->table()->height(), window().receptors().grid()->heightForRows(2));
  EXPECT_GE(window().equipmentSheet().grid()->table()->height(), window().equipmentSheet().grid()->heightForRows(3));
  EXPECT_GE(window().results().grid()->table()->height(), window().results().grid()->heightForRows(4));
}

TEST_P(Layout, ZoomingAFrameNeverOutgrowsTheScreen) {
  const QSize before = window().size();
  zoomInto(0);
  ASSERT_TRUE(started.events().frameZoomed());
  expectEverythingOnScreen("input frame zoomed");
  expectSheetsReachable("input frame zoomed");
  EXPECT_GT(window().equipmentSheet().grid()->table()->height(), window().equipmentSheet().grid()->heightForRows(6));
  zoomOut(0);
  expectEverythingOnScreen("zoomed out");
  EXPECT_EQ(window().size(), before);
  zoomInto(1);
  expectEverythingOnScreen("results frame zoomed");
  expectSheetsReachable("results frame zoomed");
  zoomOut(1);
  expectEverythingOnScreen("zoomed out again");
  window().resultTabs()->setCurrentIndex(1);
  settle();
  expectEverythingOnScreen("chart shown");
}

// The receptor caption in the top row and the "Check Input Data" button
// change with the case; nothing else moves when they do.
TEST_P(Layout, CaptionsAndTheCheckButtonMoveNothing) {
  QWidget* top = window().command(0);
  const QPoint buttonAt = top->mapTo(&window(), QPoint(0, 0));
  const QPoint sheetAt = window().results().grid()->mapTo(&window(), QPoint(0, 0));
  ASSERT_FALSE(window().command(3)->isVisible());
  cSheetDriver recep(window().receptors().grid());
  recep.click(1, 4);  // no receptor there: "No Receptor Selected"
  settle();
  EXPECT_EQ(window().lblReceptor(2)->text(), "No Receptor Selected");
  EXPECT_TRUE(window().command(3)->isVisible());
  EXPECT_EQ(top->mapTo(&window(), QPoint(0, 0)), buttonAt);
  EXPECT_EQ(window().results().grid()->mapTo(&window(), QPoint(0, 0)), sheetAt);
  recep.click(1, 2);
  settle();
  EXPECT_FALSE(window().command(3)->isVisible());
  EXPECT_EQ(top->mapTo(&window(), QPoint(0, 0)), buttonAt);
  EXPECT_EQ(window().results().grid()->mapTo(&window(), QPoint(0, 0)), sheetAt);
}

INSTANTIATE_TEST_SUITE_P(Screens, Layout,
                         ::testing::Values(Screen{"laptop", QSize(1366, 768)}, Screen{"scaled", QSize(1280, 720)}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
