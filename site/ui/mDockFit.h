#pragma once
// Keeps the main window on its screen when a dock of the site plan is shown:
// on a screen too narrow for the sheets and the dock side by side, the dock
// floats beside the window instead of pushing it off the screen.

class QDockWidget;
class QMainWindow;

namespace mDockFit {
void keepWindowOnScreen(QDockWidget& dock, QMainWindow& window);
// Connects keepWindowOnScreen to every showing of the dock.
void watch(QDockWidget& dock, QMainWindow& window);
}  // namespace mDockFit
