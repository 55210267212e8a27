#pragma once
// One receptor's levels week by week against its limits: for each period a
// marker per week worked at the level (Lmax or the programme's metric) and
// a marker at the limit that applies then. Weeks without a phase, or not
// computed, have no marker.

#include <QChartView>

class QChart;
class QScatterSeries;
class QValueAxis;
class cProgrammeResults;

class cProgrammeChart : public QChartView {
  Q_OBJECT

public:
  explicit cProgrammeChart(QWidget* parent = nullptr);

  // Draws receptor (by position) of the results; metric 0 shows Lmax, any
  // other value the programme's metric. Null results empty the chart.
  void show(const cProgrammeResults* results, int receptor, int metric);

  QScatterSeries* levelSeries(int period) const { return levels_[period]; }
  QScatterSeries* limitSeries(int period) const { return limits_[period]; }
  QValueAxis* weekAxis() const { return weeks_; }

private:
  QChart* chart_ = nullptr;
  QScatterSeries* levels_[3] = {};
  QScatterSeries* limits_[3] = {};
  QValueAxis* weeks_ = nullptr;
  QValueAxis* dBA_ = nullptr;
};
