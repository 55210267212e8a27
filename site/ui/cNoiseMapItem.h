#pragma once
// The noise map on the site plan: the cells coloured by their 5 dB band (or
// by how far they exceed a limit), the band edges as lines with their level
// written along them, under the symbols and over the background.

#include <vector>

#include <QGraphicsItem>
#include <QImage>
#include <QLineF>

#include "site/cNoiseGrid.h"

class QGraphicsSimpleTextItem;

class cNoiseMapItem : public QGraphicsItem {
public:
  cNoiseMapItem();

  // Shows values over the grid's frame; exceedance picks the bands of
  // excess over a limit instead of levels.
  void setValues(const cGridFrame& frame, std::vector<float> values, bool exceedance);
  void clearValues();
  bool hasValues() const { return !values_.empty(); }
  // The value of the cell under a plan point, or false outside the map.
  bool valueAt(double x, double y, float& value) const;
  const QImage& image() const { return image_; }
  int edgeCount() const { return static_cast<int>(edges_.size()); }
  const std::vector<QGraphicsSimpleTextItem*>& labels() const { return labels_; }

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
  int bandOf(float v) const;
  void buildImage();
  void buildEdges();

  cGridFrame frame_;
  std::vector<float> values_;
  bool exceedance_ = false;
  QImage image_;
  std::vector<QLineF> edges_;
  std::vector<QGraphicsSimpleTextItem*> labels_;
};
