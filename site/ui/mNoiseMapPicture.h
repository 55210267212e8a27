#pragma once
// The site plan's view with its noise map as a picture: what the view shows
// now (the background, the map's bands and edges, the symbols, the scale
// bar and the north arrow) with the map's legend in a box in its lower right
// corner, as a PNG image or an SVG drawing of the view's size.

#include <cstdint>
#include <vector>

#include <QImage>
#include <QString>

class QGraphicsView;
class QPainter;

namespace mNoiseMapPicture {

struct sLegend {
  QString title;  // what the map shows
  struct sBand {
    std::uint32_t colour;  // 0xRRGGBB
    QString text;
  };
  std::vector<sBand> bands;  // listed from the top
  QString note;              // under the bands; may be empty
};

// The picture in memory.
QImage image(QGraphicsView& view, const sLegend& legend);
// Writes the picture to the path: an SVG drawing when the name ends in
// ".svg" (in any case), otherwise a PNG image. An existing file is replaced
// only by a complete new one; false when it cannot be written.
bool write(QGraphicsView& view, const sLegend& legend, const QString& path);

}  // namespace mNoiseMapPicture
