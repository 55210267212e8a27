#include "report/qt/cReportChartObject.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "qtplatform/mCodePage.h"

namespace {

// The colours of the chart beside the results sheet.
const QColor kLmaxColor(70, 110, 170);
const QColor kMetricColor(110, 170, 150);
const QColor kLmaxOverColor(200, 30, 30);
const QColor kMetricOverColor(240, 110, 80);
const QColor kLimitColors[3] = {QColor(230, 170, 0), QColor(230, 100, 20), QColor(40, 40, 110)};
const char* const kLimitNames[3] = {"Day Limit", "Evening Limit", "Night Limit"};
constexpr double kBarWidth = 0.7;  // of a category; two bars share it

void marker(QPainter& p, int period, QPointF at, double size) {
  p.setPen(QPen(Qt::white, size * 0.12));
  p.setBrush(kLimitColors[period]);
  const double h = size / 2.0;
  switch (period) {
    case 0: p.drawRect(QRectF(at.x() - h, at.y() - h, size, size)); break;
    case 1: p.drawEllipse(at, h, h); break;
    default: {
      const QPolygonF triangle{QPointF(at.x(), at.y() - h), QPointF(at.x() + h, at.y() + h),
                               QPointF(at.x() - h, at.y() + h)};
      p.drawPolygon(triangle);
    }
  }
}

// The lowest and highest level drawn, on the tens, with room above the top.
void range(const cReportChart& chart, double& low, double& high) {
  double lo = 1e9, hi = -1e9;
  auto take = [&](float v) {
    if (v <= 0.0f) return;
    lo = std::min(lo, static_cast<double>(v));
    hi = std::max(hi, static_cast<double>(v));
  };
  for (const cReportChart::Bar& b : chart.bars) {
    take(b.lmax);
    take(b.metric);
    for (int p = 0; p < 3; ++p) {
      if (b.hasLmaxLimit[p]) take(b.lmaxLimit[p]);
      if (b.hasMetricLimit[p]) take(b.metricLimit[p]);
    }
  }
  if (hi < lo) {
    low = 0.0;
    high = 100.0;
    return;
  }
  low = std::max(0.0, std::floor((lo - 10.0) / 10.0) * 10.0);
  high = std::ceil((hi + 5.0) / 10.0) * 10.0;
  if (high <= low) high = low + 10.0;
}

// A label in at most three lines of the width given, shortened with an
// ellipsis when it needs more.
QString fitted(const QString& text, const QFontMetricsF& fm, double width) {
  const QRectF box(0, 0, width, fm.lineSpacing() * 3.0 + 1.0);
  if (fm.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap | Qt::AlignHCenter, text).height() <= box.height())
    return text;
  QString shorter = text;
  while (shorter.size() > 1) {
    shorter.chop(1);
    const QString candidate = shorter.trimmed() + QChar(0x2026);
    if (fm.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap | Qt::AlignHCenter, candidate).height() <=
        box.height())
      return candidate;
  }
  return QString(QChar(0x2026));
}

}  // namespace

cReportChartObject::cReportChartObject(std::vector<cReportChart> charts, QSizeF size, QFont font, QObject* parent)
    : QObject(parent), charts_(std::move(charts)), size_(size), font_(std::move(font)) {}

QSizeF cReportChartObject::intrinsicSize(QTextDocument*, int, const QTextFormat&) { return size_; }

void cReportChartObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                                    const QTextFormat& format) {
  const int index = format.property(chartIndexProperty).toInt();
  if (index < 0 || index >= static_cast<int>(charts_.size())) return;
  painter->save();
  paint(*painter, rect, charts_[static_cast<std::size_t>(index)], font_);
  painter->restore();
}

void cReportChartObject::paint(QPainter& p, const QRectF& rect, const cReportChart& chart, const QFont& font) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(font);
  const QFontMetricsF fm(font, p.device());
  const double line = fm.lineSpacing();
  const double markerSize = line * 0.6;

  // Legend on top, axis labels to the left, three lines of names below.
  const double legendHeight = line * 1.6;
  const double left = fm.horizontalAdvance(QStringLiteral("100 ")) + line * 1.2;
  const QRectF plot(rect.left() + left, rect.top() + legendHeight + line * 0.5, rect.width() - left - line * 0.5,
                    rect.height() - legendHeight - line * 4.2);

  double low = 0.0, high = 100.0;
  range(chart, low, high);
  auto y = [&](double level) {
    const double clamped = std::clamp(level, low, high);
    return plot.bottom() - (clamped - low) / (high - low) * plot.height();
  };

  // Legend.
  double x = plot.left();
  const double legendY = rect.top() + line * 0.2;
  auto swatch = [&](const QColor& c, const QString& text) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRect(QRectF(x, legendY + line * 0.2, line * 0.7, line * 0.7));
    x += line * 0.9;
    p.setPen(Qt::black);
    p.drawText(QPointF(x, legendY + fm.ascent()), text);
    x += fm.horizontalAdvance(text) + line * 0.8;
  };
  const QString metric = mCodePage::toQString(chart.metricName);
  swatch(kLmaxColor, QStringLiteral("Lmax"));
  swatch(kMetricColor, metric);
  swatch(kLmaxOverColor, QStringLiteral("Lmax over a limit"));
  swatch(kMetricOverColor, metric + QStringLiteral(" over a limit"));
  for (int period = 0; period < 3; ++period) {
    marker(p, period, QPointF(x + markerSize / 2.0, legendY + line * 0.55), markerSize);
    x += markerSize + line * 0.3;
    p.setPen(Qt::black);
    p.drawText(QPointF(x, legendY + fm.ascent()), QString::fromLatin1(kLimitNames[period]));
    x += fm.horizontalAdvance(QString::fromLatin1(kLimitNames[period])) + line * 0.8;
  }

  // Grid lines on the tens and the level axis.
  p.setPen(QPen(QColor(210, 210, 210), line * 0.04));
  for (double level = low; level <= high + 1e-9; level += 10.0) {
    p.setPen(QPen(QColor(210, 210, 210), line * 0.04));
    p.drawLine(QPointF(plot.left(), y(level)), QPointF(plot.right(), y(level)));
    p.setPen(Qt::black);
    const QString text = QString::number(level, 'f', 0);
    p.drawText(QRectF(rect.left(), y(level) - line / 2.0, left - line * 0.3, line), Qt::AlignRight | Qt::AlignVCenter,
               text);
  }
  p.save();
  p.translate(rect.left() + line * 0.5, plot.center().y());
  p.rotate(-90.0);
  p.drawText(QRectF(-plot.height() / 2.0, -line / 2.0, plot.height(), line), Qt::AlignCenter, QStringLiteral("dBA"));
  p.restore();
  p.setPen(QPen(Qt::black, line * 0.05));
  p.drawLine(plot.bottomLeft(), plot.bottomRight());
  p.drawLine(plot.bottomLeft(), plot.topLeft());

  // Bars, their limit markers and their names.
  const auto n = static_cast<double>(std::max<std::size_t>(chart.bars.size(), 1));
  const double category = plot.width() / n;
  const double barWidth = category * kBarWidth / 2.0;
  for (std::size_t i = 0; i < chart.bars.size(); ++i) {
    const cReportChart::Bar& b = chart.bars[i];
    const double centre = plot.left() + category * (static_cast<double>(i) + 0.5);
    const double lmaxX = centre - barWidth / 2.0;
    const double metricX = centre + barWidth / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(b.lmaxOver ? kLmaxOverColor : kLmaxColor);
    p.drawRect(QRectF(QPointF(lmaxX - barWidth / 2.0, y(b.lmax)), QPointF(lmaxX + barWidth / 2.0, plot.bottom())));
    p.setBrush(b.metricOver ? kMetricOverColor : kMetricColor);
    p.drawRect(
        QRectF(QPointF(metricX - barWidth / 2.0, y(b.metric)), QPointF(metricX + barWidth / 2.0, plot.bottom())));
    for (int period = 0; period < 3; ++period) {
      if (b.hasLmaxLimit[period]) marker(p, period, QPointF(lmaxX, y(b.lmaxLimit[period])), markerSize);
      if (b.hasMetricLimit[period]) marker(p, period, QPointF(metricX, y(b.metricLimit[period])), markerSize);
    }
    p.setPen(Qt::black);
    const QRectF label(centre - category / 2.0 + line * 0.1, plot.bottom() + line * 0.3, category - line * 0.2,
                       line * 3.0 + 1.0);
    p.drawText(label, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               fitted(mCodePage::toQString(b.label), fm, label.width()));
  }
}
