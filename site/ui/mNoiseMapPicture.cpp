#include "site/ui/mNoiseMapPicture.h"

#include <algorithm>

#include <QBuffer>
#include <QFontMetricsF>
#include <QGraphicsView>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace mNoiseMapPicture {

namespace {

QColor colourOf(std::uint32_t c) {
  return QColor(static_cast<int>((c >> 16) & 0xff), static_cast<int>((c >> 8) & 0xff), static_cast<int>(c & 0xff));
}

// The legend in a white box in the lower right corner of the area, above
// the height the scale bar takes on the left.
void drawLegend(QPainter& p, const QSize& area, const sLegend& legend) {
  p.save();
  QFont font = p.font();
  font.setPointSizeF(8.5);
  p.setFont(font);
  const QFontMetricsF fm(font);
  const double pad = 6, swatchW = 18, swatchH = fm.height() * 0.75, gap = 6, line = fm.height() + 1;
  double textW = fm.horizontalAdvance(legend.title);
  for (const auto& b : legend.bands) textW = std::max(textW, swatchW + gap + fm.horizontalAdvance(b.text));
  // The note wraps at the width of the rest.
  const double width = std::min<double>(textW + 2 * pad, std::max(60, area.width() - 16));
  const QRectF noteRect = legend.note.isEmpty()
                              ? QRectF()
                              : fm.boundingRect(QRectF(0, 0, width - 2 * pad, 1e4), Qt::TextWordWrap, legend.note);
  const double height = pad + line * (1 + legend.bands.size()) + (legend.note.isEmpty() ? 0 : noteRect.height() + 2) +
                        pad;
  const QRectF box(area.width() - width - 8, area.height() - height - 8, width, height);
  p.setPen(QPen(QColor(80, 80, 80), 1));
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawRect(box);
  double y = box.top() + pad;
  p.setPen(Qt::black);
  p.drawText(QRectF(box.left() + pad, y, width - 2 * pad, line), Qt::AlignLeft | Qt::AlignVCenter, legend.title);
  y += line;
  for (const auto& b : legend.bands) {
    p.setPen(QPen(QColor(85, 85, 85), 1));
    p.setBrush(colourOf(b.colour));
    p.drawRect(QRectF(box.left() + pad, y + (line - swatchH) / 2, swatchW, swatchH));
    p.setPen(Qt::black);
    p.drawText(QRectF(box.left() + pad + swatchW + gap, y, width - 2 * pad - swatchW - gap, line),
               Qt::AlignLeft | Qt::AlignVCenter, b.text);
    y += line;
  }
  if (!legend.note.isEmpty())
    p.drawText(QRectF(box.left() + pad, y + 2, width - 2 * pad, noteRect.height()), Qt::TextWordWrap, legend.note);
  p.restore();
}

void draw(QPainter& p, QGraphicsView& view, const QSize& size, const sLegend& legend) {
  p.setRenderHint(QPainter::Antialiasing);
  // The view as it is on the screen: its drawing of the scene, and what it
  // draws over it.
  view.render(&p, QRectF(QPointF(0, 0), QSizeF(size)), view.viewport()->rect());
  drawLegend(p, size, legend);
}

QSize sizeOf(const QGraphicsView& view) { return view.viewport()->size().expandedTo(QSize(1, 1)); }

}  // namespace

QImage image(QGraphicsView& view, const sLegend& legend) {
  const QSize size = sizeOf(view);
  QImage out(size, QImage::Format_ARGB32);
  out.fill(Qt::white);
  QPainter p(&out);
  draw(p, view, size, legend);
  p.end();
  return out;
}

bool write(QGraphicsView& view, const sLegend& legend, const QString& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool drawn = false;
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    const QSize size = sizeOf(view);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QStringLiteral("Noise map"));
    generator.setDescription(legend.title);
    QPainter p;
    if (p.begin(&generator)) {
      p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
      draw(p, view, size, legend);
      drawn = p.end();
    }
  } else {
    drawn = image(view, legend).save(&buffer, "PNG");
  }
  if (!drawn) return false;
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace mNoiseMapPicture
