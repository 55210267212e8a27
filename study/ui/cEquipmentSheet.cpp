#include "study/ui/cEquipmentSheet.h"

#include <algorithm>
#include <array>

#include <QTableWidget>

#include "qtplatform/cSheetGrid.h"
#include "compute/mProcess.h"
#include "site/mSitePlan.h"
#include "study/IMainView.h"
#include "study/IMessageService.h"
#include "study/cEquipment.h"
#include "study/cStudy.h"
#include "study/mCopyRules.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace {

constexpr int kCols = 10;
constexpr int kRows = 20;
constexpr int kVisibleRows = 6;
constexpr std::array<double, kCols> kWidths{5, 25, 6, 8, 6, 8, 6, 8, 8, 8};
constexpr std::array<GridCellKind, kCols> kKinds{
    GridCellKind::CheckBox, GridCellKind::List,     GridCellKind::CheckBox, GridCellKind::Percent,
    GridCellKind::CheckBox, GridCellKind::Text,     GridCellKind::CheckBox, GridCellKind::Text,
    GridCellKind::Number,   GridCellKind::Number};
// Filled from the equipment list; the user changes them only through it.
constexpr std::array<int, 4> kListColumns{3, 4, 6, 8};

std::string lmaxText(float value) { return isValueNA(value) ? "N/A" : format0_0(value); }

}  // namespace

cEquipmentSheet::cEquipmentSheet(cStudy& study, cEquipment& equipment, QWidget* parent)
    : study_(study),
      equipment_(equipment),
      grid_(new cSheetGrid(parent)),
      cells_(*grid_, 2, [this](int first, int last) { layoutRows(first, last); }) {
  grid_->setObjectName(QStringLiteral("sheetEquip"));
  grid_->setAccessibleName(QStringLiteral("Equipment"));
  grid_->setAccessibleDescription(QStringLiteral("Input Data"));
  grid_->table()->setAccessibleName(QStringLiteral("Equipment"));
}

cEquipmentSheet::~cEquipmentSheet() {
  if (grid_ && !grid_->parent()) delete grid_.data();
}

void cEquipmentSheet::initialize() {
  grid_->setSize(kCols, kRows);
  for (int col = 1; col <= kCols; ++col) grid_->setColumnWidth(col, kWidths[static_cast<std::size_t>(col - 1)]);
  layoutRows(1, kRows);
  setLabels();
  loadDescriptions();
  LockCells(true);
  height(kVisibleRows);
}

void cEquipmentSheet::layoutRows(int firstRow, int lastRow) {
  for (int col = 1; col <= kCols; ++col) {
    grid_->setCellKind(col, firstRow, col, lastRow, kKinds[static_cast<std::size_t>(col - 1)]);
  }
  grid_->setListItems(2, firstRow, 2, lastRow, descriptionItems());
  grid_->setListNarrowing(2, firstRow, 2, lastRow, true);
  // The Lmax columns hold text ("N/A" or a level) but read as numbers.
  for (const int col : {6, 8}) grid_->setAlignment(col, firstRow, col, lastRow, Qt::AlignRight | Qt::AlignVCenter);
  for (const int col : kListColumns) grid_->setLocked(col, firstRow, col, lastRow, cellsLocked_);
  lockLinkInput(firstRow, lastRow);
}

void cEquipmentSheet::setLabels() {
  const std::string unit = study_.units != 0 ? "(meters)" : "(feet)";
  grid_->setColumnHeadings(1, "Active\tDescription\tImpact Device\tUsage(%)\t"
                              "Spec\nLmax\n(dBA)\tSpec\nLmax\n(dBA)\t"
                              "Actual\nLmax\n(dBA)\tActual\nLmax\n(dBA)\t"
                              "Distance to\nReceptor\n" + unit + "\tEstimated\nShielding\n(dBA)");
}

std::string cEquipmentSheet::descriptionItems() const {
  std::string items;
  for (const auto& type : equipment_.colList) items += type->description + '\t';
  return items;
}

void cEquipmentSheet::loadDescriptions() { grid_->setListItems(2, 1, 2, grid_->maxRows(), descriptionItems()); }

void cEquipmentSheet::height(int rows) { grid_->setVisibleRows(rows); }

void cEquipmentSheet::LockCells(bool lock) {
  cellsLocked_ = lock;
  for (const int col : kListColumns) grid_->setLocked(col, 1, col, grid_->maxRows(), lock);
}

void cEquipmentSheet::lockLinkInput(int firstRow, int lastRow) {
  grid_->setLocked(9, firstRow, 10, lastRow, study_.receptorID() <= 0);
  lockPlanCells(firstRow, lastRow);
}

void cEquipmentSheet::lockPlanCells(int firstRow, int lastRow) {
  // A distance or shielding the site plan computes is shown, not typed.
  std::shared_ptr<cReceptorRecord> receptor;
  const bool selected = study_.getReceptor(receptor, study_.receptorID());
  for (int row = firstRow; row <= lastRow; ++row) {
    std::shared_ptr<cLinkRecord> link;
    if (!selected || !receptor->getLink(link, row)) {
      grid_->setCellToolTip(9, row, "");
      grid_->setCellToolTip(10, row, "");
      continue;
    }
    const mSitePlan::sLinkSource source = mSitePlan::linkSource(study_, *receptor, *link);
    if (source.distanceFromPlan) grid_->setLocked(9, row, 9, row, true);
    if (source.shieldingFromPlan) grid_->setLocked(10, row, 10, row, true);
    grid_->setCellToolTip(9, row, mSitePlan::distanceTip(source));
    grid_->setCellToolTip(10, row, mSitePlan::shieldingTip(study_, source));
  }
}

bool cEquipmentSheet::LinkInputLock(int row) {
  lockLinkInput(row, row);
  return grid_->isLocked(grid_->activeCol(), row);
}

void cEquipmentSheet::display() {
  clear();
  const cInputSheetGrid::SoftwareWrite software(cells_);
  for (const auto& e : study_.colEquipment) cells_.ensureRows(e->rowID);
  for (const auto& e : study_.colEquipment) {
    const int row = e->rowID;
    grid_->setChecked(1, row, e->active);
    grid_->setText(2, row, e->description);
    grid_->setChecked(3, row, e->impactDevice == 0);
    grid_->setNumber(4, row, static_cast<double>(e->usage) / 100.0);
    grid_->setChecked(5, row, e->spec_select);
    grid_->setText(6, row, lmaxText(e->spec_lmax));
    grid_->setChecked(7, row, !e->spec_select);
    grid_->setText(8, row, lmaxText(e->actual_lmax));
  }
}

void cEquipmentSheet::clear() {
  grid_->clearAllValues();
  lockLinkInput(1, grid_->maxRows());
}

void cEquipmentSheet::setCellNumber(std::int32_t col, std::int32_t row, double value) {
  cells_.setCellNumber(col, row, value);
}

bool cEquipmentSheet::cellTypeMatch(std::int32_t sourceCol, std::int32_t targetCol) {
  const mCopyRules::Decision decision = mCopyRules::equipment(sourceCol, targetCol);
  if (decision.verdict == mCopyRules::Verdict::RefuseWithMessage) {
    study_.messages().show(decision.message, "VORN", MessageIcon::None);
  }
  return decision.allowed();
}

void cEquipmentSheet::Delete() {
  // Only rows chosen as whole rows: a cell selection left behind by a stale
  // menu state must never cost the user whole pieces of equipment.
  const auto [first, last] = cells_.selectedWholeRows();
  if (first == 0) return;
  study_.holdState(2);
  study_.deleteEquipment(first, last);
  study_.deleteLinks(first, last);
  grid_->clearValues(1, first, kCols, last);
  cells_.closeGap();
  grid_->clearSelection();
  study_.mainView().setEditMenu(6);
  setFocus();
  mProcess::processReceptor(study_);
}
