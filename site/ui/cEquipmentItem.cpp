#include "site/ui/cEquipmentItem.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

void cEquipmentItem::setActive(bool active) {
  if (active == active_) return;
  active_ = active;
  update();
}

void cEquipmentItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
  painter->setRenderHint(QPainter::Antialiasing);
  const QRectF circle(-kSize / 2, -kSize / 2, kSize, kSize);
  painter->setBrush(active_ ? QColor(250, 220, 80) : QColor(225, 225, 225));
  painter->setPen(QPen(active_ ? Qt::black : Qt::gray, 1));
  painter->drawEllipse(circle);
  if (option->state & QStyle::State_Selected) {
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter->drawEllipse(circle.adjusted(-3, -3, 3, 3));
  }
  paintLabel(painter, active_ ? Qt::black : Qt::gray);
}
