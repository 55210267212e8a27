#pragma once
// Draws a programme's timeline inside the report's text: one row per phase,
// its name to the left, a bar over its weeks in three bands (day, evening,
// night) coloured where it works in that period and pale where it does not,
// the week numbers above and a key below, as the programme window draws it.

#include <vector>

#include <QFont>
#include <QObject>
#include <QSizeF>
#include <QTextObjectInterface>

#include "report/cReportDocument.h"

class cReportTimelineObject : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

public:
  static constexpr int objectType = QTextFormat::UserObject + 3;
  static constexpr int timelineIndexProperty = QTextFormat::UserProperty + 3;

  cReportTimelineObject(std::vector<cReportTimeline> timelines, double width, QFont font, QObject* parent = nullptr);

  QSizeF intrinsicSize(QTextDocument* doc, int posInDocument, const QTextFormat& format) override;
  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int posInDocument,
                  const QTextFormat& format) override;

  // The height of a timeline for a font's line spacing: the week numbers,
  // a row per phase and the key.
  static double heightFor(const cReportTimeline& timeline, double lineSpacing);
  static void paint(QPainter& painter, const QRectF& rect, const cReportTimeline& timeline, const QFont& font);
  // The step between the week numbers shown: 1, 2, 5, 10 ... so that each
  // number has room for its widest.
  static int weekStep(double weekWidth, double numberWidth);

private:
  std::vector<cReportTimeline> timelines_;
  double width_;
  QFont font_;
};
