#include "site/ui/cBarrierCornerItem.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

cBarrierCornerItem::cBarrierCornerItem(int corner, QGraphicsItem* parent) : QGraphicsItem(parent), corner_(corner) {
  setFlags(ItemIsMovable | ItemIgnoresTransformations | ItemSendsGeometryChanges);
  setAcceptedMouseButtons(Qt::LeftButton);
  setCursor(Qt::SizeAllCursor);
  setToolTip(QStringLiteral("Drag to move this corner of the barrier"));
}

QRectF cBarrierCornerItem::boundingRect() const { return QRectF(-kSize / 2 - 1, -kSize / 2 - 1, kSize + 2, kSize + 2); }

void cBarrierCornerItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  painter->setBrush(Qt::white);
  painter->setPen(QPen(QColor(120, 60, 20), 1.5));
  painter->drawRect(QRectF(-kSize / 2, -kSize / 2, kSize, kSize));
}

QVariant cBarrierCornerItem::itemChange(GraphicsItemChange change, const QVariant& value) {
  if (change == ItemPositionHasChanged && pressed_ && dragging) dragging(value.toPointF());
  return QGraphicsItem::itemChange(change, value);
}

void cBarrierCornerItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
  pressed_ = true;
  pressedAt_ = pos();
  QGraphicsItem::mousePressEvent(event);
}

void cBarrierCornerItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
  QGraphicsItem::mouseReleaseEvent(event);
  pressed_ = false;
  if (pos() != pressedAt_ && moved) moved(pos());
}
