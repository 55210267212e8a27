#pragma once
// A barrier on the site plan: its polyline, drawn thick whatever the zoom,
// with its name and top height as tool tip.

#include <QGraphicsPathItem>

class cBarrierItem : public QGraphicsPathItem {
public:
  explicit cBarrierItem(int index, QGraphicsItem* parent = nullptr);
  int index() const { return index_; }
  void setLine(const QPolygonF& scenePoints, const QString& tip);

private:
  int index_;
};
