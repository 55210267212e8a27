#pragma once
// The overview of the case: every receptor with its worst exceedance by
// period, for Lmax and for the case's metric, coloured by how far over the
// limit it is. A double-click on a receptor asks the main window to select
// it. The window stays open beside the main window; it is refilled when
// asked (Refresh) and, after the results changed, when it is next activated.

#include <cstdint>
#include <vector>

#include <QDialog>

#include "compute/mOverview.h"

class QLabel;
class QPushButton;
class QTableWidget;
class cStudy;

class frmOverview : public QDialog {
  Q_OBJECT

public:
  explicit frmOverview(const cStudy& study, QWidget* parent = nullptr);

  // Fills the list; the study gives the descriptions, land uses, the names
  // of the pieces and the case's metric.
  void setOverview(const std::vector<mOverview::ReceptorOverview>& rows);
  // The results changed since the list was filled; the list says so.
  void markStale();
  bool isStale() const { return stale_; }

  QTableWidget* table() const { return table_; }
  // The background of a cell, by 0-based row and column; invalid when it has none.
  QColor cellColor(int row, int col) const;

  // Colour bands of an exceedance in dB: none at 0 or less, then under 5,
  // 5 to under 10, and 10 or more.
  static QColor colorFor(float exceedance);

signals:
  void receptorChosen(int receptorID);
  void refreshRequested();

protected:
  bool event(QEvent* event) override;

private:
  const cStudy& study_;
  QTableWidget* table_ = nullptr;
  QLabel* summary_ = nullptr;
  std::vector<std::int32_t> receptorIDs_;
  bool stale_ = false;
};
