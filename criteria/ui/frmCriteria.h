#pragma once
// The criteria dialog: shows the Lmax table and the current noise metric's
// table side by side, edits a cell through the equation dialog, and clears,
// reloads, opens and saves the criteria. It works on the study's live tables
// and keeps copies of all three from its opening, so Cancel and the close
// box put back every table that Clear, Default or Open changed.
//
// The caller applies the outcome after exec(): outcome().apply(study).

#include <array>
#include <string>

#include <QDialog>

#include "criteria/cCriteriaOutcome.h"
#include "criteria/cNoiseLimitData.h"

class QLabel;
class QPushButton;
class SF_FilePrompt;
class cSheetGrid;
class cStudy;

class frmCriteria : public QDialog {
  Q_OBJECT

public:
  // programDir holds the default criteria and ends with a path separator.
  frmCriteria(cStudy& study, SF_FilePrompt& prompt, std::string programDir, QWidget* parent = nullptr);

  // Writes every criterion's kind into the sheets, with its sentence as tip.
  void showCriteria();

  // Accepted or not, and whether the default criteria were loaded first.
  cCriteriaOutcome outcome() const { return outcome_; }

  // Cancel, Escape and the close box: the criteria as they were on opening.
  void reject() override;

  cSheetGrid* sheet(int index) const { return sheetCriteria_[static_cast<std::size_t>(index)]; }

private:
  void buildLayout();
  void holdAllTables();
  void rewindAllTables();
  void clearCriteria();
  void loadDefault();
  void openFile();
  void saveFile();
  void acceptCriteria();
  void editCell(int sheetIndex, int col, int row);

  cStudy& study_;
  SF_FilePrompt& prompt_;
  std::string programDir_;
  cCriteriaOutcome outcome_;
  bool defaultLoaded_ = false;
  // The table of the metric not shown, which Clear, Default and Open change
  // too; the other two are held by the study's own hold.
  cNoiseLimitData heldOther_;
  std::array<cSheetGrid*, 2> sheetCriteria_{};
  QLabel* lblNoiseMetric_ = nullptr;
  std::array<QPushButton*, 4> cmdLoad_{};
  std::array<QPushButton*, 2> cmdClose_{};
};
