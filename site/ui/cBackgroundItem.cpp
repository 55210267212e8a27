#include "site/ui/cBackgroundItem.h"

cBackgroundItem::cBackgroundItem(QGraphicsItem* parent) : QGraphicsPixmapItem(parent) {
  setZValue(-100);
  setTransformationMode(Qt::SmoothTransformation);
}

void cBackgroundItem::place(const std::array<double, 6>& t) {
  // Plan y grows to the north, scene y downwards: the second row turns over.
  setTransform(QTransform(t[1], -t[4], t[2], -t[5], t[0], -t[3]));
}

QPointF cBackgroundItem::pixelAt(const QPointF& scenePoint) const { return mapFromScene(scenePoint); }
