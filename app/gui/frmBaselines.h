#pragma once
// Baselines from a measurement: the daytime, evening and nighttime values of
// the chosen statistic (Leq, L90 or L50, A-weighted) of a measurement file,
// beside the receptor's present baselines. Values in through setters,
// exec(), values out through baseline(); the caller writes them into the
// receptor. Periods without records keep the present baseline, and say so.

#include <functional>
#include <map>
#include <optional>
#include <string>

#include <QDialog>

#include "SF_MeasuredBaselines.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmBaselines : public QDialog {
  Q_OBJECT

public:
  // Reads the measurement for a statistic; false when it cannot be read.
  using Reader = std::function<bool(SF_BASELINE_STATISTIC, SF_MeasuredBaselines&)>;

  explicit frmBaselines(QWidget* parent = nullptr);

  // The receptor's caption and present baselines (day, evening, night).
  void setReceptor(const std::string& caption, float day, float evening, float night);
  // The measurement, read first for Leq; false when it cannot be read (the
  // dialog is then not to be shown; message() says why).
  bool setMeasurement(Reader reader);

  // After OK: the value for a period, or nothing where the period had no record.
  std::optional<float> baseline(int period) const;
  SF_BASELINE_STATISTIC statistic() const { return statistic_; }
  std::string message() const;

  QComboBox* statisticBox() const { return cmboStatistic_; }
  QLabel* periodLabel(int period) const { return values_[period]; }
  QPushButton* okButton() const { return ok_; }

private:
  bool showStatistic(SF_BASELINE_STATISTIC statistic);

  Reader reader_;
  std::map<int, SF_MeasuredBaselines> read_;
  SF_BASELINE_STATISTIC statistic_ = SF_BASELINE_LEQ;
  float present_[3] = {0.0f, 0.0f, 0.0f};
  QLabel* caption_ = nullptr;
  QComboBox* cmboStatistic_ = nullptr;
  QLabel* values_[3] = {};
  QPlainTextEdit* message_ = nullptr;
  QPushButton* ok_ = nullptr;
};
