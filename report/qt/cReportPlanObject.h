#pragma once
// Draws a site plan inside the report's text, north up: the noise map's
// cells in their bands, the barriers as thick lines, receptors as squares
// and equipment as circles with their labels, and beside the map its legend,
// a north arrow and a scale bar. The cells are one picture; all else
// stays vector drawing and text in the PDF.

#include <vector>

#include <QFont>
#include <QObject>
#include <QSizeF>
#include <QTextObjectInterface>

#include "report/cReportDocument.h"

class cReportPlanObject : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

public:
  static constexpr int objectType = QTextFormat::UserObject + 2;
  // The property of a plan's character that holds its index in plans.
  static constexpr int planIndexProperty = QTextFormat::UserProperty + 2;

  // width: the page's; maxHeight: the most a plan may take of a page, both
  // in the document's units; font: the plan's text.
  cReportPlanObject(std::vector<cReportPlan> plans, double width, double maxHeight, QFont font,
                    QObject* parent = nullptr);

  QSizeF intrinsicSize(QTextDocument* doc, int posInDocument, const QTextFormat& format) override;
  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int posInDocument,
                  const QTextFormat& format) override;

  // Where the map of a plan stands in a figure of the given width and most
  // height: its aspect kept, the legend's column to its right.
  static QSizeF mapSize(const cReportPlan& plan, double width, double maxHeight);
  // One plan into a rectangle of the size sizeOf gives.
  static void paint(QPainter& painter, const QRectF& rect, const cReportPlan& plan, const QFont& font);

  // The whole length of a scale bar that may be at most this long in the
  // plan's units: the longest of 1, 2 or 5 times a power of ten not above it.
  static double scaleLength(double most);

private:
  QSizeF sizeOf(const cReportPlan& plan) const;

  std::vector<cReportPlan> plans_;
  double width_;
  double maxHeight_;
  QFont font_;
};
