#include "site/ui/cNoiseMapItem.h"

#include <cmath>
#include <map>

#include <QBrush>
#include <QFont>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QPen>

#include "site/mNoiseBands.h"

namespace {

QRgb rgb(std::uint32_t c, int alpha = 255) {
  return qRgba(static_cast<int>((c >> 16) & 0xff), static_cast<int>((c >> 8) & 0xff), static_cast<int>(c & 0xff),
               alpha);
}

}  // namespace

cNoiseMapItem::cNoiseMapItem() {
  // Over the background (-100), under barriers, equipment and receptors.
  setZValue(-50);
  setAcceptedMouseButtons(Qt::NoButton);
}

int cNoiseMapItem::bandOf(float v) const {
  return exceedance_ ? mNoiseBands::exceedBandOf(v == cNoiseGrid::noData ? NAN : v) : mNoiseBands::bandOf(v);
}

void cNoiseMapItem::setValues(const cGridFrame& frame, std::vector<float> values, bool exceedance) {
  prepareGeometryChange();
  frame_ = frame;
  values_ = std::move(values);
  exceedance_ = exceedance;
  buildImage();
  buildEdges();
  update();
}

void cNoiseMapItem::clearValues() {
  prepareGeometryChange();
  values_.clear();
  image_ = QImage();
  edges_.clear();
  for (auto* l : labels_) delete l;
  labels_.clear();
  update();
}

bool cNoiseMapItem::valueAt(double x, double y, float& value) const {
  if (values_.empty()) return false;
  const double c = std::floor((x - frame_.xmin) / frame_.cell), r = std::floor((frame_.ymax - y) / frame_.cell);
  if (!(c >= 0 && c < frame_.columns && r >= 0 && r < frame_.rows)) return false;
  value = values_[static_cast<std::size_t>(r) * static_cast<std::size_t>(frame_.columns) + static_cast<std::size_t>(c)];
  return value != cNoiseGrid::noData;
}

void cNoiseMapItem::buildImage() {
  image_ = QImage(frame_.columns, frame_.rows, QImage::Format_ARGB32);
  image_.fill(Qt::transparent);
  for (std::int32_t row = 0; row < frame_.rows; ++row) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
    const float* v = values_.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(frame_.columns);
    for (std::int32_t col = 0; col < frame_.columns; ++col) {
      const int b = bandOf(v[col]);
      if (b >= 0) line[col] = rgb(exceedance_ ? mNoiseBands::exceedColour(b) : mNoiseBands::colour(b));
    }
  }
}

// The edges between cells of different bands, and each edge level's label
// at a few places along it.
void cNoiseMapItem::buildEdges() {
  edges_.clear();
  for (auto* l : labels_) delete l;
  labels_.clear();
  std::map<int, std::vector<QPointF>> byEdge;  // the upper band's number -> midpoints
  const double c = frame_.cell;
  auto at = [&](std::int32_t col, std::int32_t row) {
    return bandOf(values_[static_cast<std::size_t>(row) * static_cast<std::size_t>(frame_.columns) +
                          static_cast<std::size_t>(col)]);
  };
  for (std::int32_t row = 0; row < frame_.rows; ++row)
    for (std::int32_t col = 0; col < frame_.columns; ++col) {
      const int here = at(col, row);
      // Scene coordinates: x east, y south (the plan's y turned over).
      const double x0 = frame_.xmin + col * c, y0 = -frame_.ymax + row * c;
      if (col + 1 < frame_.columns) {
        const int right = at(col + 1, row);
        if (right != here && std::max(right, here) >= 0) {
          edges_.emplace_back(x0 + c, y0, x0 + c, y0 + c);
          byEdge[std::max(right, here)].push_back(QPointF(x0 + c, y0 + c / 2));
        }
      }
      if (row + 1 < frame_.rows) {
        const int below = at(col, row + 1);
        if (below != here && std::max(below, here) >= 0) {
          edges_.emplace_back(x0, y0 + c, x0 + c, y0 + c);
          byEdge[std::max(below, here)].push_back(QPointF(x0 + c / 2, y0 + c));
        }
      }
    }
  QFont font;
  font.setPointSizeF(7.5);
  for (const auto& [band, points] : byEdge) {
    const float edge = exceedance_ ? mNoiseBands::exceedLowerEdge(band) : mNoiseBands::lowerEdge(band);
    const QString text = exceedance_ ? QStringLiteral("+%1").arg(edge) : QString::number(edge);
    // Three labels along the edge, spread through its cells.
    for (std::size_t k = 0; k < 3 && k < points.size(); ++k) {
      auto* label = new QGraphicsSimpleTextItem(text, this);
      label->setFont(font);
      label->setBrush(Qt::black);
      label->setFlag(QGraphicsItem::ItemIgnoresTransformations);
      label->setPos(points[(k * 2 + 1) * points.size() / 6]);
      labels_.push_back(label);
    }
  }
}

QRectF cNoiseMapItem::boundingRect() const {
  if (values_.empty()) return QRectF();
  return QRectF(frame_.xmin, -frame_.ymax, frame_.cell * frame_.columns, frame_.cell * frame_.rows);
}

void cNoiseMapItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  if (values_.empty()) return;
  painter->drawImage(boundingRect(), image_);
  QPen pen(QColor(40, 40, 40, 160));
  pen.setCosmetic(true);
  pen.setWidthF(0.8);
  painter->setPen(pen);
  painter->drawLines(edges_.data(), static_cast<int>(edges_.size()));
}
