#include "programme/ui/cProgrammeTimeline.h"

#include <algorithm>

#include <QPainter>

#include "programme/cProgramme.h"
#include "qtplatform/mCodePage.h"

namespace {

constexpr double kNameWidth = 150.0;
constexpr double kRowHeight = 27.0;
constexpr double kBandHeight = 7.0;
constexpr double kTop = 22.0;  // room for the week numbers
constexpr double kMargin = 8.0;

}  // namespace

cProgrammeTimeline::cProgrammeTimeline(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("programmeTimeline"));
  setAccessibleName(QStringLiteral("Timeline"));
  setAccessibleDescription(
      QStringLiteral("Each phase as a bar over its weeks: day, evening and night bands, coloured where it works"));
  setMinimumHeight(static_cast<int>(kTop + kRowHeight));
}

void cProgrammeTimeline::setProgramme(const cProgramme* programme) {
  programme_ = programme;
  updateGeometry();
  update();
}

double cProgrammeTimeline::weekWidth() const {
  const int weeks = programme_ ? std::max(1, programme_->weekCount()) : 1;
  return std::max(4.0, (width() - kNameWidth - kMargin) / weeks);
}

QRectF cProgrammeTimeline::bandRect(int phase, int period) const {
  if (!programme_ || phase < 0 || phase >= static_cast<int>(programme_->phases.size()) || period < 0 || period > 2)
    return {};
  const cProgrammePhase& p = programme_->phases[static_cast<std::size_t>(phase)];
  const double w = weekWidth();
  return QRectF(kNameWidth + (p.firstWeek - 1) * w, kTop + phase * kRowHeight + 3.0 + period * kBandHeight,
                (p.lastWeek - p.firstWeek + 1) * w, kBandHeight);
}

QColor cProgrammeTimeline::periodColor(int period) {
  switch (period) {
    case 0:
      return QColor(240, 190, 40);  // day
    case 1:
      return QColor(225, 110, 45);  // evening
    default:
      return QColor(45, 60, 140);  // night
  }
}

QColor cProgrammeTimeline::bandColor(int phase, int period) const {
  if (!programme_ || phase < 0 || phase >= static_cast<int>(programme_->phases.size()) || period < 0 || period > 2)
    return {};
  return programme_->phases[static_cast<std::size_t>(phase)].periods[period] ? periodColor(period)
                                                                            : QColor(225, 225, 225);
}

QSize cProgrammeTimeline::sizeHint() const {
  const int rows = programme_ ? static_cast<int>(programme_->phases.size()) : 0;
  return QSize(700, static_cast<int>(kTop + std::max(1, rows) * kRowHeight + kMargin));
}

QSize cProgrammeTimeline::minimumSizeHint() const { return QSize(300, static_cast<int>(kTop + kRowHeight)); }

void cProgrammeTimeline::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  if (!programme_) return;
  const int weeks = programme_->weekCount();
  const double w = weekWidth();
  const int step = w >= 18.0 ? 1 : w >= 9.0 ? 2 : 4;
  painter.setPen(palette().color(QPalette::Mid));
  for (int week = 1; week <= weeks; ++week) {
    const double x = kNameWidth + (week - 1) * w;
    painter.drawLine(QPointF(x, kTop - 2.0), QPointF(x, height()));
    if ((week - 1) % step == 0)
      painter.drawText(QRectF(x, 2.0, w * step, kTop - 4.0), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::number(week));
  }
  for (int k = 0; k < static_cast<int>(programme_->phases.size()); ++k) {
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRectF(kMargin, kTop + k * kRowHeight, kNameWidth - 2 * kMargin, kRowHeight),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     mCodePage::toQString(programme_->phases[static_cast<std::size_t>(k)].name));
    for (int p = 0; p < 3; ++p) painter.fillRect(bandRect(k, p), bandColor(k, p));
  }
}
