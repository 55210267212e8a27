#pragma once
// The chart beside the results sheet: for the selected receptor, each active
// piece of equipment and the Total with its Lmax and the case's metric as
// bars, the day, evening and night limits of each bar as markers, and the
// bars over any of their limits coloured. It is drawn from the same stored
// results as the sheet, whenever the sheet is, and emptied with it.

#include <string>

#include <QStringList>
#include <QWidget>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QScatterSeries;
class QValueAxis;
class cStudy;

class cResultsChart : public QWidget {
  Q_OBJECT

public:
  explicit cResultsChart(cStudy& study, QWidget* parent = nullptr);
  ~cResultsChart() override;

  // Draws the selected receptor's stored results, as the results sheet shows
  // them; while the chart is hidden, when it is next shown.
  void refresh();
  // Nothing to show: the input is incomplete or no receptor is selected.
  void clear();
  // The same once control returns to the event loop, unless a refresh comes
  // first: the study empties the results before it writes them again, and
  // drawing the chart empty in between would only cost time.
  void clearSoon();

  // Writes the chart as an SVG drawing when the path ends in ".svg" (any
  // case), otherwise as a PNG image. The file is replaced only once the new
  // one is complete. False when it cannot be written.
  bool saveImage(const std::string& path);

  // What is drawn: one category per line ("Total", then "n: description"
  // for the piece on sheet row n + 1), the Lmax and metric bars, and the
  // limit markers of one period (0 day, 1 evening, 2 night).
  QStringList categories() const;
  QBarSet* lmaxBars() const { return lmax_; }
  QBarSet* metricBars() const { return metric_; }
  QScatterSeries* limitMarkers(int period) const;
  QChart* chart() const { return chart_; }
  bool isEmpty() const;

  QPushButton* savePngButton() const { return savePng_; }
  QPushButton* saveSvgButton() const { return saveSvg_; }

protected:
  void showEvent(QShowEvent* event) override;

signals:
  // The user asked to save the chart: "png" or "svg".
  void saveRequested(const QString& format);

private:
  void draw();
  // The chart's bars and limits in words, as its accessible description.
  void describeAs(const QString& text);
  void updateAxes(double low, double high);
  static void setValues(QBarSet* bars, const QList<qreal>& values);
  static void setSelection(QBarSet* bars, const QList<int>& selected);

  cStudy& study_;
  QChart* chart_ = nullptr;
  QChartView* view_ = nullptr;
  QBarSeries* bars_ = nullptr;
  QBarSet* lmax_ = nullptr;
  QBarSet* metric_ = nullptr;
  QScatterSeries* limits_[3] = {};
  QBarCategoryAxis* axisX_ = nullptr;
  QValueAxis* axisY_ = nullptr;
  QPushButton* savePng_ = nullptr;
  QPushButton* saveSvg_ = nullptr;
  bool clearPending_ = false;
  bool drawPending_ = false;
};
