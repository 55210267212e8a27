#pragma once
// The phases of a programme as bars over the weeks, one row per phase, each
// bar in three bands (day, evening, night) coloured where the phase works in
// that period and pale where it does not.

#include <QColor>
#include <QRectF>
#include <QWidget>

class cProgramme;

class cProgrammeTimeline : public QWidget {
  Q_OBJECT

public:
  explicit cProgrammeTimeline(QWidget* parent = nullptr);

  // Not owned; null draws nothing. Call update() after the programme changed.
  void setProgramme(const cProgramme* programme);

  // Where a phase's band of a period is drawn; empty without such a phase.
  QRectF bandRect(int phase, int period) const;
  // The colour of that band: the period's colour when the phase works then.
  QColor bandColor(int phase, int period) const;
  static QColor periodColor(int period);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  double weekWidth() const;

  const cProgramme* programme_ = nullptr;
};
