#pragma once
// The picture under the site plan, placed by its six-term transform from
// pixels to plan coordinates (north up on screen).

#include <array>

#include <QGraphicsPixmapItem>

class cBackgroundItem : public QGraphicsPixmapItem {
public:
  explicit cBackgroundItem(QGraphicsItem* parent = nullptr);
  void place(const std::array<double, 6>& transform);
  // The pixel of the picture under a scene point.
  QPointF pixelAt(const QPointF& scenePoint) const;
};
