#pragma once
// A corner of a barrier on the site plan: a small square handle of fixed
// size on screen, dragged by the mouse. The barrier's line follows while it
// is dragged; the end of a drag is reported once, as one move.

#include <functional>

#include <QGraphicsItem>

class cBarrierCornerItem : public QGraphicsItem {
public:
  cBarrierCornerItem(int corner, QGraphicsItem* parent);
  int corner() const { return corner_; }
  // While dragged, with the new position in the parent's coordinates.
  std::function<void(QPointF)> dragging;
  // When a drag ends somewhere else than it began.
  std::function<void(QPointF)> moved;

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
  QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
  void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
  static constexpr double kSize = 8;  // pixels
  int corner_;
  bool pressed_ = false;
  QPointF pressedAt_;
};
