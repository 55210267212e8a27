#include "site/ui/cReceptorItem.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

void cReceptorItem::setState(Level level, bool current) {
  if (level == level_ && current == current_) return;
  level_ = level;
  current_ = current;
  update();
}

void cReceptorItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
  static const QColor fills[] = {QColor(200, 200, 200), QColor(120, 200, 120), QColor(255, 190, 60),
                                 QColor(230, 70, 60)};
  painter->setRenderHint(QPainter::Antialiasing);
  const QRectF square(-kSize / 2, -kSize / 2, kSize, kSize);
  painter->setBrush(fills[static_cast<int>(level_)]);
  painter->setPen(QPen(current_ ? QColor(0, 0, 200) : Qt::black, current_ ? 3 : 1));
  painter->drawRect(square);
  if (option->state & QStyle::State_Selected) {
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter->drawRect(square.adjusted(-3, -3, 3, 3));
  }
  paintLabel(painter, current_ ? QColor(0, 0, 200) : Qt::black);
}
