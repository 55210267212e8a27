#include "study/ui/cReceptors.h"

#include <algorithm>
#include <array>

#include <QColor>
#include <QTableWidget>

#include "qtplatform/cSheetGrid.h"
#include "compute/mProcess.h"
#include "study/IMainView.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#include "study/mCopyRules.h"

namespace {

constexpr int kCols = 5;
constexpr int kRows = 100;
constexpr int kVisibleRows = 4;
constexpr std::array<double, kCols> kWidths{20, 20, 8, 8, 8};

QColor fromBGR(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace

cReceptors::cReceptors(cStudy& study, QWidget* parent)
    : study_(study),
      grid_(new cSheetGrid(parent)),
      cells_(*grid_, 1, [this](int first, int last) { layoutRows(first, last); }) {
  grid_->setObjectName(QStringLiteral("sheetRecep"));
  grid_->setAccessibleName(QStringLiteral("Receptors"));
  grid_->setAccessibleDescription(QStringLiteral("Input Data"));
  grid_->table()->setAccessibleName(QStringLiteral("Receptors"));
}

cReceptors::~cReceptors() {
  if (grid_ && !grid_->parent()) delete grid_.data();
}

void cReceptors::initialize() {
  grid_->setSize(kCols, kRows);
  for (int col = 1; col <= kCols; ++col) grid_->setColumnWidth(col, kWidths[static_cast<std::size_t>(col - 1)]);
  grid_->setColumnHeadings(1, "Description\tLand Use\tDaytime\nBaseline (dBA)\tEvening\nBaseline (dBA)\t"
                              "Nighttime\nBaseline (dBA)");
  layoutRows(1, kRows);
  height(kVisibleRows);
}

void cReceptors::layoutRows(int firstRow, int lastRow) {
  grid_->setCellKind(1, firstRow, 1, lastRow, GridCellKind::Text);
  grid_->setCellKind(2, firstRow, 2, lastRow, GridCellKind::List);
  grid_->setListItems(2, firstRow, 2, lastRow, "Residential\tCommercial\tIndustrial");
  // A land use the list does not know would be stored as text while the
  // limits kept following the old code.
  grid_->setListItemsOnly(2, firstRow, 2, lastRow, true);
  grid_->setCellKind(3, firstRow, 5, lastRow, GridCellKind::Number);
}

void cReceptors::height(int rows) { grid_->setVisibleRows(rows); }

void cReceptors::display() {
  const cInputSheetGrid::SoftwareWrite software(cells_);
  cells_.ensureRows(static_cast<int>(study_.colReceptors.size()));
  int row = 0;
  for (const auto& r : study_.colReceptors) {
    ++row;
    grid_->setText(1, row, r->description);
    grid_->setText(2, row, r->landUseTxt());
    grid_->setNumber(3, row, r->dayBase);
    grid_->setNumber(4, row, r->eveBase);
    grid_->setNumber(5, row, r->niteBase);
  }
}

void cReceptors::clear() { grid_->clearAllValues(); }

void cReceptors::setCellNumber(std::int32_t col, std::int32_t row, double value) {
  cells_.setCellNumber(col, row, value);
}

bool cReceptors::cellTypeMatch(std::int32_t sourceCol, std::int32_t targetCol) {
  const mCopyRules::Decision decision = mCopyRules::receptor(sourceCol, targetCol);
  if (decision.verdict == mCopyRules::Verdict::RefuseWithMessage) {
    study_.messages().show(decision.message, "VORN", MessageIcon::None);
  }
  return decision.allowed();
}

void cReceptors::setRowBorder(std::int32_t row, std::int32_t firstCol, std::int32_t lastCol, bool drawn,
                              std::uint32_t colorBGR) {
  if (drawn) {
    grid_->setBorder(firstCol, row, lastCol, row, fromBGR(colorBGR));
  } else {
    grid_->removeBorder(firstCol, row, lastCol, row);
  }
}

// The receptor that stays selected: the same record when it survives, else
// the one that moved into the place of the deleted rows (or the new last).
std::int32_t cReceptors::receptorAfterDelete(std::int32_t current, int first, int last) const {
  const auto count = static_cast<std::int32_t>(study_.colReceptors.size());
  if (current > last) return current - (last - first + 1);
  if (current >= first) return std::min<std::int32_t>(first, count);
  return std::min(current, count);
}

void cReceptors::Delete() {
  // Only rows chosen as whole rows: a cell selection left behind by a stale
  // menu state must never cost the user whole receptors.
  const auto [first, last] = cells_.selectedWholeRows();
  if (first == 0) return;
  const std::int32_t current = study_.receptorID();
  study_.holdState(2);
  study_.deleteReceptor(first, last);
  grid_->clearValues(1, first, kCols, last);
  cells_.closeGap();
  grid_->clearSelection();
  // The selection must name a receptor that exists, or the captions,
  // distances and edits would belong to another one.
  const std::int32_t selected = receptorAfterDelete(current, first, last);
  const int row = std::max(selected, 1);
  grid_->setActiveCell(1, row);
  study_.setReceptorID(selected);
  study_.outlineReceptor(row);
  study_.mainView().setEditMenu(6);
  setFocus();
  mProcess::processReceptor(study_);
}
