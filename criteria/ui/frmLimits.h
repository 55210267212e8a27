#pragma once
// The limits dialog: the limits that the criteria give for the current
// receptor's baselines, Lmax beside the current noise metric, each cell with
// its equation as tip. The cells show the limit texts exactly as the
// criteria give them; nothing is typed here.

#include <array>

#include <QDialog>

class QLabel;
class QPushButton;
class cSheetGrid;
class cStudy;

class frmLimits : public QDialog {
  Q_OBJECT

public:
  explicit frmLimits(cStudy& study, QWidget* parent = nullptr);

  // Stamps the current receptor's baselines and shows its limits.
  void showLimits();

  cSheetGrid* sheet(int index) const { return sheetLimits_[static_cast<std::size_t>(index)]; }

private:
  cStudy& study_;
  std::array<cSheetGrid*, 2> sheetLimits_{};
  QLabel* lblReceptor_ = nullptr;
  QLabel* lblNoiseMetric_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};
