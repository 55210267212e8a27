#include "site/ui/cPlacedItem.h"

#include <QFontMetricsF>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

cPlacedItem::cPlacedItem(int id, QGraphicsItem* parent) : QGraphicsItem(parent), id_(id) {
  setFlags(ItemIsMovable | ItemIsSelectable | ItemIgnoresTransformations);
  setAcceptedMouseButtons(Qt::LeftButton);
}

void cPlacedItem::setLabel(const QString& number, const QString& description) {
  if (number == number_ && description == description_) return;
  prepareGeometryChange();
  number_ = number;
  description_ = description;
  setToolTip(description);
}

QRectF cPlacedItem::boundingRect() const {
  const double labelWidth = QFontMetricsF(QFont()).horizontalAdvance(description_) + 6;
  return QRectF(-kSize / 2 - 3, -kSize / 2 - 3, kSize + 6 + labelWidth, kSize + 6);
}

void cPlacedItem::paintLabel(QPainter* painter, const QColor& text) const {
  painter->setPen(Qt::black);
  painter->drawText(QRectF(-kSize / 2, -kSize / 2, kSize, kSize), Qt::AlignCenter, number_);
  painter->setPen(text);
  painter->drawText(QPointF(kSize / 2 + 4, QFontMetricsF(painter->font()).ascent() / 2 - 1), description_);
}

void cPlacedItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
  pressedAt_ = pos();
  QGraphicsItem::mousePressEvent(event);
}

void cPlacedItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
  QGraphicsItem::mouseReleaseEvent(event);
  if (pos() != pressedAt_ && moved) moved(pos());
}
