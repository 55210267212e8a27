#pragma once
// What receptor and equipment symbols share: a symbol of fixed size on
// screen whatever the zoom, a number inside and a label beside it, dragged
// by the mouse; the end of a drag is reported once, as one move.

#include <functional>

#include <QGraphicsItem>
#include <QString>

class cPlacedItem : public QGraphicsItem {
public:
  cPlacedItem(int id, QGraphicsItem* parent = nullptr);

  int id() const { return id_; }
  void setLabel(const QString& number, const QString& description);
  const QString& description() const { return description_; }
  // Called when a drag ends somewhere else than it began, with the new
  // scene position.
  std::function<void(QPointF)> moved;

  QRectF boundingRect() const override;

protected:
  static constexpr double kSize = 16;  // pixels
  void paintLabel(QPainter* painter, const QColor& text) const;
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
  void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

  QString number_;
  QString description_;

private:
  void measureLabel();

  int id_;
  QRectF bounds_;       // the symbol and its label, measured when the label changes
  double labelAscent_;  // of the font the label is drawn in
  QPointF pressedAt_;
};
