#pragma once
// How a number of the results sheet came about, shown as the tip of the cell
// under a resting pointer: the explanation of that cell of the selected
// receptor (the reference level, distance, shielding and usage terms, the
// limit's criterion and the exceedance). Empty cells have no tip.

#include <cstdint>
#include <string>

#include <QObject>

class cSheetGrid;
class cStudy;

class cResultsTips : public QObject {
  Q_OBJECT

public:
  cResultsTips(cStudy& study, cSheetGrid& sheet);

  // The tip of a cell of the results sheet (column 1..15, row 1 the Total,
  // rows 2.. the pieces as displayed); empty where it has none.
  std::string tipFor(int col, int row) const;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // The equipment shown on a row of the sheet: 0 for the Total, -1 for none.
  std::int32_t equipmentOnRow(int row) const;

  cStudy& study_;
  cSheetGrid& sheet_;
};
