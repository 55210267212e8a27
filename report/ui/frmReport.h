#pragma once
// The export dialog ("Export Results"): the selected receptor or all of
// them, then a file name and the report written there. An export of all
// receptors computes each of them from the case as it stands first, so no
// receptor is reported with results older than the case.

#include <array>
#include <cstdint>
#include <functional>

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class SF_FilePrompt;
class cStudy;

class frmReport : public QDialog {
  Q_OBJECT

public:
  frmReport(cStudy& study, SF_FilePrompt& prompt, QWidget* parent = nullptr);

  // 1 comma-delimited report, 2 text report; the explanation follows.
  void SetFile(std::int32_t type);
  std::int32_t reportType() const { return reportType_; }

  // Whether "All Receptors" is chosen.
  bool allReceptors() const;

  // Called after "No case results to report.", so the window can show the
  // receptor and the input that stopped the export.
  void setShowInputAtFault(std::function<void()> show) { showInputAtFault_ = std::move(show); }

protected:
  // Every showing starts on "Selected Receptor".
  void showEvent(QShowEvent* event) override;

private:
  void exportReport();
  bool computeEveryReceptor();

  cStudy& study_;
  SF_FilePrompt& prompt_;
  std::function<void()> showInputAtFault_;
  std::int32_t reportType_ = 2;
  QLabel* lblExplanation_ = nullptr;
  std::array<QRadioButton*, 2> optResuts_{};
  std::array<QPushButton*, 2> cmdClose_{};
};
