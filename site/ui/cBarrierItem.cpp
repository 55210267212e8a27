#include "site/ui/cBarrierItem.h"

#include <QPainterPath>
#include <QPen>

#include "site/ui/cBarrierCornerItem.h"

cBarrierItem::cBarrierItem(int index, QGraphicsItem* parent) : QGraphicsPathItem(parent), index_(index) {
  QPen pen(QColor(120, 60, 20), 4);
  pen.setCosmetic(true);  // 4 pixels at any zoom
  pen.setCapStyle(Qt::RoundCap);
  setPen(pen);
  setFlag(ItemIsSelectable);
}

cBarrierCornerItem* cBarrierItem::corner(int i) const {
  return i >= 0 && i < cornerCount() ? corners_[static_cast<std::size_t>(i)] : nullptr;
}

void cBarrierItem::drawPath(const QPolygonF& points) {
  QPainterPath path;
  path.addPolygon(points);
  setPath(path);
}

void cBarrierItem::setLine(const QPolygonF& scenePoints, const QString& tip) {
  points_ = scenePoints;
  drawPath(points_);
  setToolTip(tip);
  while (cornerCount() > points_.size()) {
    delete corners_.back();
    corners_.pop_back();
  }
  while (cornerCount() < points_.size()) {
    const int i = cornerCount();
    auto* handle = new cBarrierCornerItem(i, this);
    handle->dragging = [this, i](QPointF at) {
      QPolygonF moving = points_;
      if (i < moving.size()) moving[i] = at;
      drawPath(moving);
    };
    handle->moved = [this, i](QPointF at) {
      if (cornerMoved) cornerMoved(i, mapToScene(at));
    };
    corners_.push_back(handle);
  }
  for (int i = 0; i < cornerCount(); ++i) {
    cBarrierCornerItem* handle = corners_[static_cast<std::size_t>(i)];
    const QPointF at = mapFromScene(points_[i]);
    if (handle->pos() != at) handle->setPos(at);
  }
}
