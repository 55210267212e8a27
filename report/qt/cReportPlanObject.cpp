#include "report/qt/cReportPlanObject.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QTextDocument>

#include "qtplatform/mCodePage.h"

namespace {

// The symbols of the window's site plan.
const QColor kReceptorFill(255, 255, 255);
const QColor kEquipmentFill(250, 220, 80);
const QColor kIdleFill(225, 225, 225);
const QColor kBarrierColor(40, 40, 40);
constexpr double kLegendShare = 0.27;  // of the figure's width, beside the map
constexpr double kGapShare = 0.02;
// Lines of the legend: title, ten bands, a note of up to four lines, the
// symbols' heading and four symbols, with a little room between.
// The north arrow and the scale bar below them take three more.
constexpr double kLegendLines = 25.0;

QColor rgb(std::uint32_t c) {
  return QColor(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF));
}

QString numberText(double v) { return QString::number(v, 'g', 6); }

double overlap(const QRectF& a, const QRectF& b) {
  const QRectF both = a.intersected(b);
  return both.isValid() ? both.width() * both.height() : 0.0;
}

// The boxes of the symbols' labels: beside each symbol on the right, else
// on the left, above or below, wherever a box covers the least of the other
// symbols and of the labels already placed, and stays inside the map.
std::vector<QRectF> labelBoxes(const std::vector<QPointF>& at, const std::vector<QString>& texts,
                               const QFontMetricsF& fm, const QRectF& map, double symbol) {
  const double line = fm.lineSpacing();
  const double gap = symbol * 0.6;
  std::vector<QRectF> symbols;
  for (const QPointF& a : at) symbols.emplace_back(a.x() - symbol / 2, a.y() - symbol / 2, symbol, symbol);
  std::vector<QRectF> placed;
  for (std::size_t i = 0; i < at.size(); ++i) {
    const double w = fm.horizontalAdvance(texts[i]) + line * 0.3;
    const QPointF a = at[i];
    const QRectF candidates[] = {
        {a.x() + gap, a.y() - line * 0.5, w, line},          {a.x() - gap - w, a.y() - line * 0.5, w, line},
        {a.x() - w / 2, a.y() - gap - line, w, line},        {a.x() - w / 2, a.y() + gap, w, line},
        {a.x() + gap * 0.7, a.y() - gap * 0.7 - line, w, line}, {a.x() + gap * 0.7, a.y() + gap * 0.7, w, line},
        {a.x() - gap * 0.7 - w, a.y() - gap * 0.7 - line, w, line},
        {a.x() - gap * 0.7 - w, a.y() + gap * 0.7, w, line}};
    QRectF best;
    double bestCost = -1.0;
    for (QRectF box : candidates) {
      // Kept inside the map, moved as little as that takes.
      if (box.right() > map.right()) box.moveRight(map.right());
      if (box.left() < map.left()) box.moveLeft(map.left());
      if (box.bottom() > map.bottom()) box.moveBottom(map.bottom());
      if (box.top() < map.top()) box.moveTop(map.top());
      double cost = 0.0;
      for (std::size_t k = 0; k < symbols.size(); ++k) cost += overlap(box, symbols[k]) * (k == i ? 4.0 : 1.0);
      for (const QRectF& other : placed) cost += overlap(box, other);
      if (bestCost < 0.0 || cost < bestCost - 1e-9) {
        best = box;
        bestCost = cost;
      }
      if (cost <= 0.0) break;
    }
    placed.push_back(best);
  }
  return placed;
}

// A label on a pale box, so that it reads over any band.
void label(QPainter& p, const QRectF& box, const QString& text) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 215));
  p.drawRect(box);
  p.setPen(Qt::black);
  p.drawText(box, Qt::AlignCenter, text);
}

void receptorSymbol(QPainter& p, QPointF at, double size, double pen) {
  p.setPen(QPen(Qt::black, pen));
  p.setBrush(kReceptorFill);
  p.drawRect(QRectF(at.x() - size / 2, at.y() - size / 2, size, size));
}

void equipmentSymbol(QPainter& p, QPointF at, double size, double pen, bool active) {
  p.setPen(QPen(active ? Qt::black : Qt::gray, pen));
  p.setBrush(active ? kEquipmentFill : kIdleFill);
  p.drawEllipse(at, size / 2, size / 2);
}

QPen barrierPen(double width) {
  QPen pen(kBarrierColor, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

}  // namespace

cReportPlanObject::cReportPlanObject(std::vector<cReportPlan> plans, double width, double maxHeight, QFont font,
                                     QObject* parent)
    : QObject(parent), plans_(std::move(plans)), width_(width), maxHeight_(maxHeight), font_(std::move(font)) {}

double cReportPlanObject::scaleLength(double most) {
  if (!(most > 0) || !std::isfinite(most)) return 1.0;
  double power = std::pow(10.0, std::floor(std::log10(most)));
  // log10 may round a power of ten itself down or up by one.
  if (power > most) power /= 10.0;
  if (power * 10.0 <= most) power *= 10.0;
  for (double step : {5.0, 2.0, 1.0})
    if (step * power <= most) return step * power;
  return power;
}

QSizeF cReportPlanObject::mapSize(const cReportPlan& plan, double width, double maxHeight) {
  const double spanX = plan.xmax - plan.xmin, spanY = plan.ymax - plan.ymin;
  const double aspect = spanX > 0 && spanY > 0 ? spanY / spanX : 1.0;
  double w = width * (1.0 - kLegendShare - kGapShare);
  double h = w * aspect;
  if (h > maxHeight) {
    h = maxHeight;
    w = h / aspect;
  }
  return {w, h};
}

QSizeF cReportPlanObject::sizeOf(const cReportPlan& plan) const { return mapSize(plan, width_, maxHeight_); }

QSizeF cReportPlanObject::intrinsicSize(QTextDocument* doc, int, const QTextFormat& format) {
  const int index = format.property(planIndexProperty).toInt();
  if (index < 0 || index >= static_cast<int>(plans_.size())) return {};
  const QFontMetricsF fm(font_, doc->documentLayout()->paintDevice());
  const QSizeF map = sizeOf(plans_[static_cast<std::size_t>(index)]);
  return {width_, std::max(map.height(), fm.lineSpacing() * kLegendLines)};
}

void cReportPlanObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                                   const QTextFormat& format) {
  const int index = format.property(planIndexProperty).toInt();
  if (index < 0 || index >= static_cast<int>(plans_.size())) return;
  painter->save();
  const cReportPlan& plan = plans_[static_cast<std::size_t>(index)];
  const QSizeF map = sizeOf(plan);
  paint(*painter, QRectF(rect.topLeft(), QSizeF(rect.width(), std::max(rect.height(), map.height()))), plan, font_);
  painter->restore();
}

void cReportPlanObject::paint(QPainter& p, const QRectF& rect, const cReportPlan& plan, const QFont& font) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(font);
  const QFontMetricsF fm(font, p.device());
  const double line = fm.lineSpacing();
  const QRectF map(rect.topLeft(), mapSize(plan, rect.width(), rect.height()));
  const double spanX = plan.xmax - plan.xmin, spanY = plan.ymax - plan.ymin;
  if (!(spanX > 0) || !(spanY > 0)) return;
  auto at = [&](const cReportPlan::Point& pt) {
    return QPointF(map.left() + (pt.x - plan.xmin) / spanX * map.width(),
                   map.top() + (plan.ymax - pt.y) / spanY * map.height());
  };

  // The cells, one pixel each, under everything else; no band is white.
  p.fillRect(map, Qt::white);
  const std::size_t cellCount = static_cast<std::size_t>(std::max(0, plan.columns)) *
                                static_cast<std::size_t>(std::max(0, plan.rows));
  if (cellCount > 0 && plan.cells.size() == cellCount) {
    QImage image(plan.columns, plan.rows, QImage::Format_RGB32);
    for (int row = 0; row < plan.rows; ++row) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
      for (int col = 0; col < plan.columns; ++col) {
        const int band = plan.cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(plan.columns) +
                                    static_cast<std::size_t>(col)];
        line[col] = band >= 0 && band < static_cast<int>(plan.bands.size())
                        ? (0xFF000000u | plan.bands[static_cast<std::size_t>(band)].colour)
                        : 0xFFFFFFFFu;
      }
    }
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(map, image);
    p.restore();
  }

  p.save();
  p.setClipRect(map);
  // Barriers: a pale edge under a dark line, so that they show on dark bands.
  for (const auto& barrier : plan.barriers) {
    QPolygonF polyline;
    for (const auto& pt : barrier) polyline << at(pt);
    p.setBrush(Qt::NoBrush);
    QPen edge = barrierPen(line * 0.45);
    edge.setColor(Qt::white);
    p.setPen(edge);
    p.drawPolyline(polyline);
    p.setPen(barrierPen(line * 0.25));
    p.drawPolyline(polyline);
  }
  const double symbol = line * 0.8;
  const double pen = line * 0.07;
  for (const auto& e : plan.equipment) equipmentSymbol(p, at(e.at), symbol, pen, e.active);
  for (const auto& r : plan.receptors) receptorSymbol(p, at(r.at), symbol, pen);
  // Receptors' labels are placed first, where they read best.
  std::vector<QPointF> points;
  std::vector<QString> texts;
  for (const auto& r : plan.receptors) {
    points.push_back(at(r.at));
    texts.push_back(mCodePage::toQString(r.label));
  }
  for (const auto& e : plan.equipment) {
    points.push_back(at(e.at));
    texts.push_back(mCodePage::toQString(e.label));
  }
  const std::vector<QRectF> boxes = labelBoxes(points, texts, fm, map, symbol);
  for (std::size_t i = 0; i < boxes.size(); ++i) label(p, boxes[i], texts[i]);

  p.restore();

  p.setPen(QPen(Qt::black, pen));
  p.setBrush(Qt::NoBrush);
  p.drawRect(map);

  // The legend: the bands, the loudest on top as the window shows them, then the symbols.
  const double x = map.right() + rect.width() * kGapShare;
  const double width = rect.right() - x;
  double y = rect.top();
  const QSizeF swatch(line * 1.4, line * 0.8);
  auto entryText = [&](const QString& text) {
    p.setPen(Qt::black);
    p.drawText(QRectF(x + swatch.width() + line * 0.4, y, width - swatch.width() - line * 0.4, line),
               Qt::AlignLeft | Qt::AlignVCenter, text);
    y += line;
  };
  QFont bold = font;
  bold.setBold(true);
  if (!plan.bands.empty()) {
    p.setFont(bold);
    p.drawText(QRectF(x, y, width, line), Qt::AlignLeft | Qt::AlignVCenter, mCodePage::toQString(plan.legendTitle));
    p.setFont(font);
    y += line * 1.1;
    for (int band = static_cast<int>(plan.bands.size()) - 1; band >= 0; --band) {
      const auto& b = plan.bands[static_cast<std::size_t>(band)];
      p.setPen(QPen(QColor(120, 120, 120), pen));
      p.setBrush(rgb(b.colour));
      p.drawRect(QRectF(QPointF(x, y + (line - swatch.height()) / 2.0), swatch));
      entryText(mCodePage::toQString(b.label));
    }
    const QRectF note(x, y + line * 0.2, width, line * 4.0);
    p.setPen(Qt::black);
    const QRectF used = p.boundingRect(note, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                       mCodePage::toQString(plan.legendNote));
    p.drawText(note, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, mCodePage::toQString(plan.legendNote));
    y += line * 0.6 + used.height();
  }
  p.setFont(bold);
  p.drawText(QRectF(x, y, width, line), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Symbols"));
  p.setFont(font);
  y += line * 1.1;
  const QPointF centre(x + swatch.width() / 2.0, 0);
  receptorSymbol(p, QPointF(centre.x(), y + line / 2.0), symbol, pen);
  entryText(QStringLiteral("Receptor"));
  equipmentSymbol(p, QPointF(centre.x(), y + line / 2.0), symbol, pen, true);
  entryText(QStringLiteral("Equipment"));
  equipmentSymbol(p, QPointF(centre.x(), y + line / 2.0), symbol, pen, false);
  entryText(QStringLiteral("Equipment, not active"));
  p.setPen(barrierPen(line * 0.25));
  p.drawLine(QPointF(x, y + line / 2.0), QPointF(x + swatch.width(), y + line / 2.0));
  entryText(QStringLiteral("Barrier"));

  // The north arrow and, beside it, the scale bar: four segments, black and
  // white, as long as a round length the column has room for.
  y += line * 0.8;
  const double arrow = line * 1.8;
  const QPointF tip(x + line * 0.7, y + line * 1.1);
  p.setPen(Qt::black);
  p.drawText(QRectF(tip.x() - line, y, line * 2.0, line), Qt::AlignCenter, QStringLiteral("N"));
  const QPolygonF left{tip, QPointF(tip.x() - arrow * 0.3, tip.y() + arrow), QPointF(tip.x(), tip.y() + arrow * 0.7)};
  const QPolygonF right{tip, QPointF(tip.x() + arrow * 0.3, tip.y() + arrow), QPointF(tip.x(), tip.y() + arrow * 0.7)};
  p.setPen(QPen(Qt::black, pen));
  p.setBrush(Qt::black);
  p.drawPolygon(left);
  p.setBrush(Qt::white);
  p.drawPolygon(right);

  const double perUnit = map.width() / spanX;
  const double barLeft = x + line * 2.4;
  const double room = std::min(rect.right(), x + rect.width() * kLegendShare) - barLeft - line * 1.5;
  const double length = scaleLength(room / perUnit);
  const double barWidth = length * perUnit;
  const double barTop = y + line * 2.0;
  p.setPen(QPen(Qt::black, pen));
  for (int i = 0; i < 4; ++i) {
    p.setBrush(i % 2 == 0 ? Qt::black : Qt::white);
    p.drawRect(QRectF(barLeft + barWidth * i / 4.0, barTop, barWidth / 4.0, line * 0.35));
  }
  p.setPen(Qt::black);
  const QString end = numberText(length) + QLatin1Char(' ') + mCodePage::toQString(plan.unit);
  p.drawText(QRectF(barLeft - line, barTop - line * 1.1, line * 2.0, line), Qt::AlignCenter, QStringLiteral("0"));
  const double endWidth = fm.horizontalAdvance(end) + line * 0.2;
  p.drawText(QRectF(std::min(barLeft + barWidth - endWidth / 2.0, rect.right() - endWidth), barTop - line * 1.1,
                    endWidth, line),
             Qt::AlignCenter, end);
}
