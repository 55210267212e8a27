#pragma once
// The equation dialog: edits the criterion of one cell of the criteria
// dialog's sheets on a private copy, and installs a new record in that cell
// on Ok, only when every number box of the chosen kind holds a number
// greater than 0 that a single-precision level can hold.

#include <array>
#include <cstdint>

#include <QDialog>

#include "criteria/cEquationRecord.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class cStudy;

class frmEquation : public QDialog {
  Q_OBJECT

public:
  // sheetIndex 0 is the Lmax sheet, 1 the current metric's; row 1..3, col 1..6.
  frmEquation(cStudy& study, int sheetIndex, std::int16_t row, std::int16_t col, QWidget* parent = nullptr);

  int numSpreadSheet = 0;
  std::int16_t equationIndex = 0;  // the kind shown first
  cEquationRecord holdEquation;    // the working copy
  bool criteriaChanged = false;    // the user touched the kind or a box

  // Fills the boxes from eq and shows the frame of its kind.
  void displayEquation(const cEquationRecord& eq);

private:
  void buildLayout();
  void showKind(int kind);
  void acceptEquation();
  QLineEdit* box(int index) const { return txtValue_[static_cast<std::size_t>(index)]; }

  cStudy& study_;
  std::int16_t row_;
  std::int16_t col_;
  QComboBox* cmboEquation_ = nullptr;
  QStackedWidget* frames_ = nullptr;
  std::array<QLineEdit*, 7> txtValue_{};
  QPushButton* cmdOk_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};
