#pragma once
// The site plan's view: the scene at any zoom (the wheel zooms about the
// pointer, dragging empty ground pans), with a scale bar and a north arrow
// drawn over it. Clicks on the ground are handed to the plan's current tool.

#include <functional>

#include <QGraphicsView>

class cSitePlanView : public QGraphicsView {
public:
  explicit cSitePlanView(QGraphicsScene* scene, QWidget* parent = nullptr);

  // The plan's unit word for the scale bar ("ft" or "m").
  void setUnitWord(const QString& word) { unit_ = word; viewport()->update(); }
  // While set, presses, drags and releases on the plan go to the tool
  // instead of selecting and moving symbols.
  struct Tool {
    std::function<void(QPointF)> pressed, dragged, released;
    std::function<void()> finished;  // a double click or Enter
  };
  void setTool(Tool tool);
  void clearTool();
  bool hasTool() const { return static_cast<bool>(tool_.pressed); }
  // Zooms by a factor about the view's centre.
  void zoomBy(double factor);
  // The length, in plan units, the scale bar shows.
  double scaleBarLength() const;

protected:
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
  QString unit_ = QStringLiteral("ft");
  Tool tool_;
  bool toolDown_ = false;
};
