#include "compute/ui/cResultsChart.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>

#include "qtplatform/mCodePage.h"
#include "compute/mResultCells.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

using namespace mResultCells;

namespace {

// Two bars share a category; each is half of this width, centred a quarter
// of it either side of the category, where its limit markers go.
constexpr double kBarWidth = 0.7;
constexpr double kMarkerOffset = kBarWidth / 4.0;

const QColor kLmaxColor(70, 110, 170);
const QColor kMetricColor(110, 170, 150);
const QColor kLmaxOverColor(200, 30, 30);
const QColor kMetricOverColor(240, 110, 80);
const char* const kLimitNames[3] = {"Day Limit", "Evening Limit", "Night Limit"};
const QColor kLimitColors[3] = {QColor(230, 170, 0), QColor(230, 100, 20), QColor(40, 40, 110)};
const QScatterSeries::MarkerShape kLimitShapes[3] = {QScatterSeries::MarkerShapeRectangle,
                                                     QScatterSeries::MarkerShapeCircle,
                                                     QScatterSeries::MarkerShapeTriangle};

// The size a chart is written at when it has not been laid out on screen.
const QSize kImageSize(900, 500);

bool over(float exceedance) { return !isMarker(exceedance) && exceedance > 0.0f; }

// One results line as the chart draws it.
struct ChartLine {
  QString label;
  Line cells;
};

std::vector<ChartLine> linesOf(const cStudy& study, const cReceptorRecord& receptor) {
  // The rows of the results sheet, in the same order: the Total, then each
  // active, linked and computed piece.
  std::vector<ChartLine> lines{{QStringLiteral("Total"), totalLine(receptor)}};
  int row = 0;
  for (const auto& equipment : study.colEquipment) {
    std::shared_ptr<cLinkRecord> link;
    if (!study.getLink(link, study.receptorID(), equipment->rowID) || !equipment->active) continue;
    if (!link->results.computed) continue;
    ++row;
    lines.push_back({QString::number(row) + QStringLiteral(": ") + mCodePage::toQString(equipment->description),
                     linkLine(link->results)});
  }
  return lines;
}

// A level as the sheet shows it: its word for a marker, else "0.0".
QString shown(float value) {
  if (isValueNA(value)) return QStringLiteral("N/A");
  if (isValueExempt(value)) return QStringLiteral("Exempt");
  if (isValueNone(value)) return QStringLiteral("None");
  return QString::number(static_cast<double>(value), 'f', 1);
}

// What the chart shows, said in words for a screen reader: one sentence per
// bar pair with its limits, and whether it is over any of them.
QString describe(const QString& title, const std::vector<ChartLine>& lines, std::int32_t metric) {
  const QString metricLabel = QString::fromLatin1(metricName(metric));
  QStringList sentences{title + QLatin1Char('.')};
  const char* periods[3] = {"day", "evening", "night"};
  for (const ChartLine& line : lines) {
    const Line& cells = line.cells;
    QStringList limits;
    bool exceeds = false;
    for (int p = 0; p < 3; ++p) {
      limits << QStringLiteral("%1 limit %2 and %3").arg(QString::fromLatin1(periods[p]),
                                                          shown(level(*cells.lotLine[p], 0)),
                                                          shown(level(*cells.lotLine[p], metric)));
      exceeds = exceeds || over(level(*cells.exceed[p], 0)) || over(level(*cells.exceed[p], metric));
    }
    sentences << QStringLiteral("%1: Lmax %2 dBA, %3 %4 dBA; %5%6.")
                     .arg(line.label, shown(level(*cells.calculated, 0)), metricLabel,
                          shown(level(*cells.calculated, metric)), limits.join(QStringLiteral(", ")),
                          exceeds ? QStringLiteral("; over a limit") : QString());
  }
  return sentences.join(QLatin1Char(' '));
}

}  // namespace

cResultsChart::cResultsChart(cStudy& study, QWidget* parent) : QWidget(parent), study_(study) {
  setObjectName(QStringLiteral("resultsChart"));
  setAccessibleName(QStringLiteral("Results Chart"));

  chart_ = new QChart();
  chart_->setAnimationOptions(QChart::NoAnimation);
  chart_->legend()->setAlignment(Qt::AlignBottom);

  lmax_ = new QBarSet(QStringLiteral("Lmax"));
  lmax_->setColor(kLmaxColor);
  lmax_->setSelectedColor(kLmaxOverColor);
  metric_ = new QBarSet(QStringLiteral("L10"));
  metric_->setColor(kMetricColor);
  metric_->setSelectedColor(kMetricOverColor);
  bars_ = new QBarSeries();
  bars_->setBarWidth(kBarWidth);
  bars_->append(lmax_);
  bars_->append(metric_);
  chart_->addSeries(bars_);

  axisX_ = new QBarCategoryAxis();
  axisY_ = new QValueAxis();
  axisY_->setTitleText(QStringLiteral("dBA"));
  axisY_->setLabelFormat(QStringLiteral("%.0f"));
  // A grid line every 10 dB, on the tens.
  axisY_->setTickType(QValueAxis::TicksDynamic);
  axisY_->setTickAnchor(0.0);
  axisY_->setTickInterval(10.0);
  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  bars_->attachAxis(axisX_);
  bars_->attachAxis(axisY_);

  for (int p = 0; p < 3; ++p) {
    auto* markers = new QScatterSeries();
    markers->setName(QString::fromLatin1(kLimitNames[p]));
    markers->setMarkerShape(kLimitShapes[p]);
    markers->setMarkerSize(9.0);
    markers->setColor(kLimitColors[p]);
    markers->setBorderColor(Qt::white);
    chart_->addSeries(markers);
    // Markers stand over their bars: x counts categories from 0.
    markers->attachAxis(axisX_);
    markers->attachAxis(axisY_);
    limits_[p] = markers;
  }

  view_ = new QChartView(chart_, this);
  view_->setObjectName(QStringLiteral("chartView"));
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setAccessibleName(QStringLiteral("Results Chart"));

  savePng_ = new QPushButton(QStringLiteral("Save as PNG..."), this);
  savePng_->setObjectName(QStringLiteral("cmdSaveChartPng"));
  savePng_->setAccessibleName(savePng_->text());
  saveSvg_ = new QPushButton(QStringLiteral("Save as SVG..."), this);
  saveSvg_->setObjectName(QStringLiteral("cmdSaveChartSvg"));
  saveSvg_->setAccessibleName(saveSvg_->text());
  connect(savePng_, &QPushButton::clicked, this, [this] { emit saveRequested(QStringLiteral("png")); });
  connect(saveSvg_, &QPushButton::clicked, this, [this] { emit saveRequested(QStringLiteral("svg")); });

  auto* note = new QLabel(QStringLiteral("Bars in red are over at least one of their limits."), this);
  note->setObjectName(QStringLiteral("lblChartNote"));
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(note);
  buttons->addStretch(1);
  buttons->addWidget(savePng_);
  buttons->addWidget(saveSvg_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);

  clear();
}

cResultsChart::~cResultsChart() = default;

void cResultsChart::clearSoon() {
  if (clearPending_) return;
  clearPending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (clearPending_) clear();
  });
}

void cResultsChart::clear() {
  clearPending_ = false;
  drawPending_ = false;
  chart_->setTitle(QString());
  setValues(lmax_, {});
  setValues(metric_, {});
  axisX_->clear();
  for (QScatterSeries* markers : limits_) markers->clear();
  updateAxes(0.0, 100.0);
  savePng_->setEnabled(false);
  saveSvg_->setEnabled(false);
  describeAs(QStringLiteral("No results to show."));
}

void cResultsChart::describeAs(const QString& text) {
  setAccessibleDescription(text);
  view_->setAccessibleDescription(text);
}

void cResultsChart::refresh() {
  clearPending_ = false;
  // Hidden behind the table, the chart costs an edit nothing.
  drawPending_ = !isVisible();
  if (!drawPending_) draw();
}

void cResultsChart::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (drawPending_) draw();
}

void cResultsChart::draw() {
  drawPending_ = false;
  std::shared_ptr<cReceptorRecord> receptor;
  if (study_.receptorID() == 0 || !study_.getReceptor(receptor, study_.receptorID())) {
    clear();
    return;
  }
  const std::int32_t metric = caseMetric(study_);
  const std::vector<ChartLine> lines = linesOf(study_, *receptor);

  QStringList labels;
  QList<qreal> lmaxValues;
  QList<qreal> metricValues;
  QList<int> lmaxOver;
  QList<int> metricOver;
  QList<QPointF> markers[3];
  double low = std::numeric_limits<double>::max();
  double high = std::numeric_limits<double>::lowest();
  auto take = [&](float v) {
    low = std::min(low, static_cast<double>(v));
    high = std::max(high, static_cast<double>(v));
  };
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    const Line& cells = lines[static_cast<std::size_t>(i)].cells;
    labels << lines[static_cast<std::size_t>(i)].label;
    const float lmax = level(*cells.calculated, 0);
    const float value = level(*cells.calculated, metric);
    lmaxValues << lmax;
    metricValues << value;
    take(lmax);
    take(value);
    bool lmaxExceeds = false;
    bool metricExceeds = false;
    for (int p = 0; p < 3; ++p) {
      const float lmaxLimit = level(*cells.lotLine[p], 0);
      const float metricLimit = level(*cells.lotLine[p], metric);
      if (!isMarker(lmaxLimit)) {
        markers[p] << QPointF(i - kMarkerOffset, lmaxLimit);
        take(lmaxLimit);
      }
      if (!isMarker(metricLimit)) {
        markers[p] << QPointF(i + kMarkerOffset, metricLimit);
        take(metricLimit);
      }
      lmaxExceeds = lmaxExceeds || over(level(*cells.exceed[p], 0));
      metricExceeds = metricExceeds || over(level(*cells.exceed[p], metric));
    }
    if (lmaxExceeds) lmaxOver << i;
    if (metricExceeds) metricOver << i;
  }

  const QString title =
      QStringLiteral("Receptor %1: %2").arg(study_.receptorID()).arg(mCodePage::toQString(receptor->description));
  if (chart_->title() != title) chart_->setTitle(title);
  const QString metricLabel = QString::fromLatin1(metricName(metric));
  if (metric_->label() != metricLabel) metric_->setLabel(metricLabel);
  // Only what changed is set again: an edit changes a few bars, and each
  // change makes the chart lay itself out anew.
  if (axisX_->categories() != labels) {
    setValues(lmax_, {});
    setValues(metric_, {});
    axisX_->setCategories(labels);
  }
  setValues(lmax_, lmaxValues);
  setValues(metric_, metricValues);
  setSelection(lmax_, lmaxOver);
  setSelection(metric_, metricOver);
  for (int p = 0; p < 3; ++p)
    if (limits_[p]->points() != markers[p]) limits_[p]->replace(markers[p]);
  updateAxes(low, high);
  savePng_->setEnabled(true);
  saveSvg_->setEnabled(true);
  describeAs(describe(title, lines, metric));
}

void cResultsChart::setValues(QBarSet* bars, const QList<qreal>& values) {
  if (bars->count() != values.size()) {
    bars->deselectAllBars();
    if (bars->count() > 0) bars->remove(0, bars->count());
    bars->append(values);
    return;
  }
  for (int i = 0; i < values.size(); ++i)
    if (bars->at(i) != values[i]) bars->replace(i, values[i]);
}

void cResultsChart::setSelection(QBarSet* bars, const QList<int>& selected) {
  QList<int> now = bars->selectedBars();
  std::sort(now.begin(), now.end());
  if (now == selected) return;
  bars->deselectAllBars();
  bars->selectBars(selected);
}

void cResultsChart::updateAxes(double low, double high) {
  // Whole tens around the levels, with room above for the markers; bars
  // that start below the axis are cut at its foot.
  if (!(low <= high)) low = high = 0.0;
  const double bottom = std::floor((low - 10.0) / 10.0) * 10.0;
  const double top = std::ceil((high + 5.0) / 10.0) * 10.0;
  const double ceiling = std::max(top, bottom + 10.0);
  if (axisY_->min() != bottom || axisY_->max() != ceiling) axisY_->setRange(bottom, ceiling);
}

QStringList cResultsChart::categories() const { return axisX_->categories(); }

QScatterSeries* cResultsChart::limitMarkers(int period) const {
  return period >= 0 && period < 3 ? limits_[period] : nullptr;
}

bool cResultsChart::isEmpty() const { return lmax_->count() == 0; }

bool cResultsChart::saveImage(const std::string& path) {
  if (drawPending_) draw();
  const QString name = mCodePage::toQString(path);
  const bool svg = name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);

  // A chart never shown on screen is laid out at a size of its own while
  // it is drawn into memory, then given back its own.
  const bool onScreen = view_->isVisible() && view_->width() >= 200 && view_->height() >= 150;
  const QSize size = onScreen ? view_->size() : kImageSize;
  if (!onScreen) chart_->resize(size);
  const QRectF target(QPointF(0, 0), QSizeF(size));
  const QRectF source = chart_->sceneBoundingRect();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool drawn = false;
  if (svg) {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(target);
    generator.setTitle(chart_->title());
    QPainter painter;
    if (painter.begin(&generator)) {
      chart_->scene()->render(&painter, target, source);
      drawn = painter.end();
    }
  } else {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    chart_->scene()->render(&painter, target, source);
    painter.end();
    drawn = image.save(&buffer, "PNG");
  }
  if (!onScreen) chart_->resize(view_->size());
  if (!drawn) return false;

  // The old file is replaced only by a complete new one.
  QSaveFile file(name);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
