#pragma once
// Draws a receptor's chart inside the report's text: bars of Lmax and the
// case's metric for the Total and each active piece, limit markers by
// period, bars over a limit in red. Painted with QPainter, so the chart
// stays vector drawing in the PDF and needs no window.

#include <vector>

#include <QFont>
#include <QObject>
#include <QSizeF>
#include <QTextObjectInterface>

#include "report/cReportDocument.h"

class cReportChartObject : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

public:
  static constexpr int objectType = QTextFormat::UserObject + 1;
  // The property of a chart's character that holds its index in charts.
  static constexpr int chartIndexProperty = QTextFormat::UserProperty + 1;

  // size: every chart's size in the document's units; font: the chart's text.
  cReportChartObject(std::vector<cReportChart> charts, QSizeF size, QFont font, QObject* parent = nullptr);

  QSizeF intrinsicSize(QTextDocument* doc, int posInDocument, const QTextFormat& format) override;
  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int posInDocument,
                  const QTextFormat& format) override;

  // One chart into a rectangle.
  static void paint(QPainter& painter, const QRectF& rect, const cReportChart& chart, const QFont& font);

private:
  std::vector<cReportChart> charts_;
  QSizeF size_;
  QFont font_;
};
