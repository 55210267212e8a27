#pragma once
// A barrier on the site plan: its polyline, drawn thick whatever the zoom,
// with its name and top height as tool tip, and a handle on each corner
// that drags that corner (the line follows; the end of the drag is
// reported once).

#include <functional>
#include <vector>

#include <QGraphicsPathItem>

class cBarrierCornerItem;

class cBarrierItem : public QGraphicsPathItem {
public:
  explicit cBarrierItem(int index, QGraphicsItem* parent = nullptr);
  int index() const { return index_; }
  void setLine(const QPolygonF& scenePoints, const QString& tip);
  int cornerCount() const { return static_cast<int>(corners_.size()); }
  cBarrierCornerItem* corner(int i) const;
  // Called when a drag of corner i ends at a new scene position.
  std::function<void(int, QPointF)> cornerMoved;

private:
  void drawPath(const QPolygonF& points);

  int index_;
  QPolygonF points_;
  std::vector<cBarrierCornerItem*> corners_;  // children of this item
};
