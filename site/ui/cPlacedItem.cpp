#include "site/ui/cPlacedItem.h"

#include <QFontMetricsF>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

cPlacedItem::cPlacedItem(int id, QGraphicsItem* parent) : QGraphicsItem(parent), id_(id) {
  setFlags(ItemIsMovable | ItemIsSelectable | ItemIgnoresTransformations);
  setAcceptedMouseButtons(Qt::LeftButton);
  measureLabel();
}

// Asked for on every paint and every scene query, so measured once per label.
void cPlacedItem::measureLabel() {
  const QFontMetricsF metrics{QFont()};
  const double labelWidth = metrics.horizontalAdvance(description_) + 6;
  bounds_ = QRectF(-kSize / 2 - 3, -kSize / 2 - 3, kSize + 6 + labelWidth, kSize + 6);
  labelAscent_ = metrics.ascent();
}

void cPlacedItem::setLabel(const QString& number, const QString& description) {
  if (number == number_ && description == description_) return;
  prepareGeometryChange();
  number_ = number;
  description_ = description;
  setToolTip(description);
  measureLabel();
}

QRectF cPlacedItem::boundingRect() const { return bounds_; }

void cPlacedItem::paintLabel(QPainter* painter, const QColor& text) const {
  painter->setPen(Qt::black);
  painter->drawText(QRectF(-kSize / 2, -kSize / 2, kSize, kSize), Qt::AlignCenter, number_);
  painter->setPen(text);
  const double ascent = painter->font() == QFont() ? labelAscent_ : QFontMetricsF(painter->font()).ascent();
  painter->drawText(QPointF(kSize / 2 + 4, ascent / 2 - 1), description_);
}

void cPlacedItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
  pressedAt_ = pos();
  QGraphicsItem::mousePressEvent(event);
}

void cPlacedItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
  QGraphicsItem::mouseReleaseEvent(event);
  if (pos() != pressedAt_ && moved) moved(pos());
}
