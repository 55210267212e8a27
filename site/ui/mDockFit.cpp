#include "site/ui/mDockFit.h"

#include <algorithm>

#include <QApplication>
#include <QDockWidget>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>

namespace mDockFit {

namespace {
// What a floating dock takes at most of the screen.
constexpr int kFloatingWidth = 480;
constexpr int kFloatingHeight = 560;
}  // namespace

void keepWindowOnScreen(QDockWidget& dock, QMainWindow& window) {
  if (dock.isFloating()) return;
  const QScreen* screen = window.screen();
  if (!screen) return;
  if (QLayout* l = window.layout()) l->activate();
  const QRect room = screen->availableGeometry();
  const QSize frame = window.frameGeometry().size() - window.geometry().size();
  const QSize inside = room.size() - frame;
  const QSize least = window.minimumSizeHint();
  if (least.width() > inside.width() || least.height() > inside.height()) {
    // The dock floats beside the window without taking the keys from it.
    dock.setAttribute(Qt::WA_ShowWithoutActivating);
    dock.setFloating(true);
    const QSize size(std::min(kFloatingWidth, inside.width() / 2), std::min(kFloatingHeight, inside.height()));
    dock.resize(size);
    dock.move(room.right() - size.width(), room.top());
    if (QLayout* l = window.layout()) l->activate();
    if (window.isActiveWindow() || !QApplication::activeWindow()) window.activateWindow();
  }
  if (window.width() > inside.width() || window.height() > inside.height())
    window.resize(window.size().boundedTo(inside).expandedTo(window.minimumSizeHint()));
  QRect outer = window.frameGeometry();
  if (outer.right() > room.right()) outer.moveRight(room.right());
  if (outer.bottom() > room.bottom()) outer.moveBottom(room.bottom());
  if (outer.left() < room.left()) outer.moveLeft(room.left());
  if (outer.top() < room.top()) outer.moveTop(room.top());
  if (outer.topLeft() != window.frameGeometry().topLeft()) window.move(outer.topLeft());
}

void watch(QDockWidget& dock, QMainWindow& window) {
  QObject::connect(&dock, &QDockWidget::visibilityChanged, &dock, [&dock, &window](bool visible) {
    if (visible) keepWindowOnScreen(dock, window);
  });
}

}  // namespace mDockFit
