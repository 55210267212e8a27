#include "site/ui/cMeasureItem.h"

#include <QPainter>
#include <QPen>

cMeasureItem::cMeasureItem(QGraphicsItem* parent) : QGraphicsLineItem(parent) {
  QPen pen(QColor(0, 90, 200), 2, Qt::DashLine);
  pen.setCosmetic(true);
  setPen(pen);
  setZValue(100);
}

void cMeasureItem::setEnds(const QPointF& from, const QPointF& to, const QString& text) {
  prepareGeometryChange();
  text_ = text;
  setLine(QLineF(from, to));
}

QRectF cMeasureItem::boundingRect() const {
  // The text is drawn at screen size; the scene rectangle of the line is
  // widened generously so that it is repainted with the line.
  const QRectF r = QGraphicsLineItem::boundingRect();
  const double pad = std::max(r.width(), r.height()) * 0.5 + 1;
  return r.adjusted(-pad, -pad, pad, pad);
}

void cMeasureItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) {
  QGraphicsLineItem::paint(painter, option, widget);
  const QPointF end = painter->transform().map(line().p2());
  painter->save();
  painter->resetTransform();
  painter->setPen(QColor(0, 90, 200));
  painter->drawText(end + QPointF(6, -6), text_);
  painter->restore();
}
