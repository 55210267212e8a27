#include "programme/ui/cProgrammeChart.h"

#include <algorithm>
#include <cmath>

#include <QChart>
#include <QScatterSeries>
#include <QValueAxis>

#include "programme/cProgrammeResults.h"
#include "programme/ui/cProgrammeTimeline.h"
#include "study/mMarkers.h"

namespace {

const char* periodNames[3] = {"Day", "Evening", "Night"};

bool isLevel(float v) { return !isMarker(v); }

}  // namespace

cProgrammeChart::cProgrammeChart(QWidget* parent) : QChartView(parent) {
  setObjectName(QStringLiteral("programmeChart"));
  setAccessibleName(QStringLiteral("Receptor chart"));
  setAccessibleDescription(QStringLiteral("The chosen receptor's levels week by week, with the limit of each period"));
  chart_ = new QChart();
  chart_->legend()->setAlignment(Qt::AlignBottom);
  weeks_ = new QValueAxis(chart_);
  weeks_->setTitleText(QStringLiteral("Week"));
  weeks_->setLabelFormat(QStringLiteral("%d"));
  dBA_ = new QValueAxis(chart_);
  dBA_->setTitleText(QStringLiteral("dBA"));
  chart_->addAxis(weeks_, Qt::AlignBottom);
  chart_->addAxis(dBA_, Qt::AlignLeft);
  for (int p = 0; p < 3; ++p) {
    levels_[p] = new QScatterSeries(chart_);
    levels_[p]->setName(QString::fromLatin1(periodNames[p]));
    levels_[p]->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    levels_[p]->setMarkerSize(9.0);
    levels_[p]->setColor(cProgrammeTimeline::periodColor(p));
    limits_[p] = new QScatterSeries(chart_);
    limits_[p]->setName(QString::fromLatin1(periodNames[p]) + QStringLiteral(" limit"));
    limits_[p]->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    limits_[p]->setMarkerSize(6.0);
    limits_[p]->setColor(cProgrammeTimeline::periodColor(p).lighter(140));
    for (QScatterSeries* s : {levels_[p], limits_[p]}) {
      chart_->addSeries(s);
      s->attachAxis(weeks_);
      s->attachAxis(dBA_);
    }
  }
  setChart(chart_);
  setRenderHint(QPainter::Antialiasing);
  setMinimumHeight(240);
}

void cProgrammeChart::show(const cProgrammeResults* results, int receptor, int metric) {
  double low = 40.0, high = 100.0;
  bool any = false;
  for (int p = 0; p < 3; ++p) {
    levels_[p]->clear();
    limits_[p]->clear();
  }
  const int weekCount = results ? results->weekCount : 0;
  if (results && receptor >= 0 && static_cast<std::size_t>(receptor) < results->receptors.size()) {
    for (int week = 1; week <= weekCount; ++week)
      for (int p = 0; p < 3; ++p) {
        const auto& c = results->cell(static_cast<std::size_t>(receptor), week, p);
        if (c.state != cProgrammeResults::State::computed) continue;
        const bool hasLevel = metric == 0 || c.hasLevel;
        const float level = metric == 0 ? c.lmax : c.level;
        const float limit = metric == 0 ? c.lmaxLimit : c.limit;
        for (const auto& [value, series] : {std::pair{level, levels_[p]}, std::pair{limit, limits_[p]}}) {
          if (series == levels_[p] && !hasLevel) continue;
          if (!isLevel(value)) continue;
          series->append(week, value);
          low = any ? std::min(low, static_cast<double>(value)) : value;
          high = any ? std::max(high, static_cast<double>(value)) : value;
          any = true;
        }
      }
  }
  weeks_->setRange(0.5, std::max(1, weekCount) + 0.5);
  weeks_->setTickCount(std::min(std::max(2, weekCount + 1), 14));
  if (any) dBA_->setRange(std::floor(low / 10.0) * 10.0, std::ceil((high + 1.0) / 10.0) * 10.0);
}
