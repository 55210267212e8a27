#pragma once
// What it would take for the selected receptor to comply: each exceeded
// limit with the extra shielding, the largest usage and the smallest
// distance that bring it within the limit. The user picks one remedy of one
// line; the caller applies it to the case as one undoable edit.

#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "compute/mMitigation.h"

class QLabel;
class QPushButton;
class QTableWidget;
class cStudy;

class frmMitigation : public QDialog {
  Q_OBJECT

public:
  explicit frmMitigation(const cStudy& study, QWidget* parent = nullptr);

  // The needs of one receptor; the study names the pieces and the units.
  void setNeeds(const std::string& receptorCaption, const std::vector<mMitigation::Need>& needs);

  // After an accepted dialog: the line and the remedy the user chose.
  std::optional<mMitigation::Need> chosenNeed() const { return chosenNeed_; }
  mMitigation::Remedy chosenRemedy() const { return chosenRemedy_; }

  QTableWidget* table() const { return table_; }
  QPushButton* applyButton(mMitigation::Remedy remedy) const;

private:
  void selectionChanged();
  void choose(mMitigation::Remedy remedy);
  const mMitigation::Need* selectedNeed() const;

  const cStudy& study_;
  QLabel* caption_ = nullptr;
  QTableWidget* table_ = nullptr;
  QPushButton* apply_[3] = {};
  std::vector<mMitigation::Need> needs_;
  std::optional<mMitigation::Need> chosenNeed_;
  mMitigation::Remedy chosenRemedy_ = mMitigation::Remedy::shielding;
};
