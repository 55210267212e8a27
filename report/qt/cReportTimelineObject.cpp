#include "report/qt/cReportTimelineObject.h"

#include <algorithm>

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>

#include "qtplatform/mCodePage.h"

namespace {

// The colours of the programme window's timeline.
const QColor kPeriodColors[3] = {QColor(240, 190, 40), QColor(225, 110, 45), QColor(45, 60, 140)};
const QColor kIdleColor(225, 225, 225);
const char* const kPeriodNames[3] = {"Day", "Evening", "Night"};
constexpr double kRowLines = 2.2;  // a phase's row, in lines

}  // namespace

cReportTimelineObject::cReportTimelineObject(std::vector<cReportTimeline> timelines, double width, QFont font,
                                             QObject* parent)
    : QObject(parent), timelines_(std::move(timelines)), width_(width), font_(std::move(font)) {}

double cReportTimelineObject::heightFor(const cReportTimeline& timeline, double lineSpacing) {
  return lineSpacing * (1.6 + kRowLines * static_cast<double>(std::max<std::size_t>(1, timeline.phases.size())) + 2.0);
}

int cReportTimelineObject::weekStep(double weekWidth, double numberWidth) {
  if (!(weekWidth > 0)) return 1;
  for (int step = 1;; step *= 10) {
    for (int k : {1, 2, 5}) {
      const int s = step * k;
      if (weekWidth * s >= numberWidth * 1.3 || s >= 10000) return s;
    }
  }
}

QSizeF cReportTimelineObject::intrinsicSize(QTextDocument* doc, int, const QTextFormat& format) {
  const int index = format.property(timelineIndexProperty).toInt();
  if (index < 0 || index >= static_cast<int>(timelines_.size())) return {};
  const QFontMetricsF fm(font_, doc->documentLayout()->paintDevice());
  return {width_, heightFor(timelines_[static_cast<std::size_t>(index)], fm.lineSpacing())};
}

void cReportTimelineObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                                       const QTextFormat& format) {
  const int index = format.property(timelineIndexProperty).toInt();
  if (index < 0 || index >= static_cast<int>(timelines_.size())) return;
  painter->save();
  paint(*painter, rect, timelines_[static_cast<std::size_t>(index)], font_);
  painter->restore();
}

void cReportTimelineObject::paint(QPainter& p, const QRectF& rect, const cReportTimeline& t, const QFont& font) {
  p.setFont(font);
  const QFontMetricsF fm(font, p.device());
  const double line = fm.lineSpacing();
  const double pen = line * 0.05;

  // Names take what the longest needs, up to a quarter of the width.
  double nameWidth = fm.horizontalAdvance(QStringLiteral("Phase"));
  for (const auto& phase : t.phases)
    nameWidth = std::max(nameWidth, fm.horizontalAdvance(mCodePage::toQString(phase.name)));
  nameWidth = std::min(nameWidth + line * 0.8, rect.width() * 0.25);
  const int weeks = std::max(1, t.weeks);
  const double left = rect.left() + nameWidth;
  const double weekWidth = (rect.right() - left - line * 0.5) / weeks;
  const double top = rect.top() + line * 1.6;
  const double rowsHeight = line * kRowLines * static_cast<double>(std::max<std::size_t>(1, t.phases.size()));
  const int step = weekStep(weekWidth, fm.horizontalAdvance(QString::number(weeks)));

  // The weeks: a light line at the start of each, its number on every step.
  for (int week = 1; week <= weeks + 1; ++week) {
    const double x = left + (week - 1) * weekWidth;
    const bool numbered = week <= weeks && (week == 1 || week % step == 0);
    // Where weeks are too narrow for a line each, only the numbered ones have one.
    if (!numbered && week <= weeks && weekWidth < line * 0.4) continue;
    p.setPen(QPen(numbered ? QColor(160, 160, 160) : QColor(220, 220, 220), pen));
    p.drawLine(QPointF(x, top - line * 0.2), QPointF(x, top + rowsHeight));
    if (numbered) {
      p.setPen(Qt::black);
      p.drawText(QRectF(x + weekWidth / 2.0 - line * 2.0, rect.top(), line * 4.0, line * 1.2),
                 Qt::AlignHCenter | Qt::AlignBottom, QString::number(week));
    }
  }
  p.setPen(Qt::black);
  p.drawText(QRectF(rect.left(), rect.top(), nameWidth, line * 1.2), Qt::AlignLeft | Qt::AlignBottom,
             QStringLiteral("Week"));

  const double band = line * 0.5;
  for (std::size_t k = 0; k < t.phases.size(); ++k) {
    const auto& phase = t.phases[k];
    const double rowTop = top + line * kRowLines * static_cast<double>(k);
    p.setPen(Qt::black);
    const QString name = fm.elidedText(mCodePage::toQString(phase.name), Qt::ElideRight, nameWidth - line * 0.5);
    p.drawText(QRectF(rect.left(), rowTop, nameWidth - line * 0.4, line * kRowLines), Qt::AlignLeft | Qt::AlignVCenter,
               name);
    const int first = std::clamp(phase.firstWeek, 1, weeks);
    const int last = std::clamp(phase.lastWeek, first, weeks);
    const double x = left + (first - 1) * weekWidth;
    const double w = (last - first + 1) * weekWidth;
    const double bandsTop = rowTop + (line * kRowLines - band * 3.0) / 2.0;
    for (int period = 0; period < 3; ++period)
      p.fillRect(QRectF(x, bandsTop + band * period, w, band), phase.periods[period] ? kPeriodColors[period] : kIdleColor);
    p.setPen(QPen(QColor(90, 90, 90), pen));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(x, bandsTop, w, band * 3.0));
  }

  // The key.
  double x = left;
  const double keyY = top + rowsHeight + line * 0.6;
  auto key = [&](const QColor& c, const QString& text) {
    p.fillRect(QRectF(x, keyY + line * 0.25, line * 1.2, line * 0.5), c);
    x += line * 1.5;
    p.setPen(Qt::black);
    p.drawText(QRectF(x, keyY, fm.horizontalAdvance(text) + line, line), Qt::AlignLeft | Qt::AlignVCenter, text);
    x += fm.horizontalAdvance(text) + line * 1.2;
  };
  for (int period = 0; period < 3; ++period)
    key(kPeriodColors[period], QString::fromLatin1(kPeriodNames[period]));
  key(kIdleColor, QStringLiteral("Not worked in that period (bands: day, evening, night from the top)"));
}
