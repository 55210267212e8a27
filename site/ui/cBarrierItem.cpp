#include "site/ui/cBarrierItem.h"

#include <QPainterPath>
#include <QPen>

cBarrierItem::cBarrierItem(int index, QGraphicsItem* parent) : QGraphicsPathItem(parent), index_(index) {
  QPen pen(QColor(120, 60, 20), 4);
  pen.setCosmetic(true);  // 4 pixels at any zoom
  pen.setCapStyle(Qt::RoundCap);
  setPen(pen);
  setFlag(ItemIsSelectable);
}

void cBarrierItem::setLine(const QPolygonF& scenePoints, const QString& tip) {
  QPainterPath path;
  path.addPolygon(scenePoints);
  setPath(path);
  setToolTip(tip);
}
