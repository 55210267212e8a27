#include "equipment/ui/frmModEquipList.h"

#include <cmath>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qtplatform/cSheetGrid.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace {

constexpr int kListRows = 500;
const QColor kArmed(0, 192, 0);
const QColor kNotArmed(255, 0, 0);

QPushButton* button(QWidget* parent, const char* caption, const char* tip, const QString& name) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setToolTip(QString::fromLatin1(tip));
  b->setObjectName(name);
  b->setAccessibleName(b->text());
  b->setAutoDefault(false);
  return b;
}

void colour(QPushButton* b, int state) {
  QPalette palette = b->palette();
  palette.setColor(QPalette::ButtonText, state == 1 ? kArmed : kNotArmed);
  b->setPalette(palette);
}

std::string levelText(float value) { return isValueNA(value) ? "N/A" : format0_0(value); }

}  // namespace

frmModEquipList::frmModEquipList(cStudy& study, EquipmentList& colList, SF_FilePrompt& prompt, std::string programDir,
                                 std::function<void()> onListChanged, QWidget* parent)
    : QDialog(parent),
      colList_(colList),
      prompt_(prompt),
      onListChanged_(std::move(onListChanged)),
      editor_(study, std::move(programDir)) {
  buildLayout();
  editor_.begin(colList_);
  displayEquipment();
  setAddButtonOn(2);
  setDeleteButtonOn(2);
  clearNewEquip();
}

void frmModEquipList::layOutSheet(cSheetGrid& sheet, int rows) {
  sheet.setSize(5, rows);
  sheet.setHeadingRows(1);
  sheet.setColumnHeading(1, "Description");
  sheet.setColumnHeading(2, "Impact Device");
  sheet.setColumnHeading(3, "Usage(%)");
  sheet.setColumnHeading(4, "Spec\nLmax\n(dBA)");
  sheet.setColumnHeading(5, "Actual\nLmax\n(dBA)");
  const double widths[] = {25, 6, 8, 8, 8};
  for (int col = 1; col <= 5; ++col) sheet.setColumnWidth(col, widths[col - 1]);
  sheet.setColumnKind(2, GridCellKind::CheckBox);
  sheet.setColumnKind(3, GridCellKind::Percent);
  sheet.setAlignment(4, 1, 5, rows, Qt::AlignRight | Qt::AlignVCenter);
}

void frmModEquipList::buildLayout() {
  setObjectName(QStringLiteral("frmModEquipList"));
  setWindowTitle(QStringLiteral("Modify the Equipment List"));
  setAccessibleName(windowTitle());

  sheetEquipList_ = new cSheetGrid(this);
  sheetEquipList_->setObjectName(QStringLiteral("sheetEquipList"));
  sheetEquipList_->setAccessibleName(QStringLiteral("Equipment List"));
  layOutSheet(*sheetEquipList_, kListRows);
  sheetEquipList_->setLocked(1, 1, 5, kListRows, true);
  sheetEquipList_->setVisibleRows(15);
  sheetEquipList_->fitWidthToColumns();

  sheetNewEquip_ = new cSheetGrid(this);
  sheetNewEquip_->setObjectName(QStringLiteral("sheetNewEquip"));
  sheetNewEquip_->setAccessibleName(QStringLiteral("Add this item."));
  layOutSheet(*sheetNewEquip_, 1);
  sheetNewEquip_->setVisibleRows(1);
  sheetNewEquip_->fitWidthToColumns();

  lblMessage_ = new QLabel(QStringLiteral("Add this item."), this);
  lblMessage_->setObjectName(QStringLiteral("lblMessage"));
  cmdAddDelete_ = {button(this, "Add", "Add new item to Equipment List.", QStringLiteral("cmdAddDelete0")),
                   button(this, "Delete", "Delete selected item(s) from the Equipment List.",
                          QStringLiteral("cmdAddDelete1"))};
  cmdLoad_ = {button(this, "Open", "Load Equipment List from file.", QStringLiteral("cmdLoad0")),
              button(this, "Save", "Save Equipment List to file.", QStringLiteral("cmdLoad1")),
              button(this, "Default",
                     "Restore CA/T Project (MA) equipment, Construction Noise Control Specification 721.560",
                     QStringLiteral("cmdLoad2")),
              button(this, "Ok", "Accept modifications and close window.", QStringLiteral("cmdLoad3")),
              button(this, "Cancel", "Ignore modifications and close window.", QStringLiteral("cmdLoad4"))};

  auto* grid = new QGridLayout(this);
  grid->addWidget(sheetEquipList_, 0, 0, 1, 2);
  grid->addWidget(lblMessage_, 1, 0, 1, 2);
  grid->addWidget(sheetNewEquip_, 2, 0);
  auto* addDelete = new QVBoxLayout;
  for (QPushButton* b : cmdAddDelete_) addDelete->addWidget(b);
  grid->addLayout(addDelete, 2, 1);
  auto* buttons = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) buttons->addWidget(cmdLoad_[static_cast<std::size_t>(i)]);
  buttons->addStretch();
  buttons->addWidget(cmdLoad_[3]);
  buttons->addWidget(cmdLoad_[4]);
  grid->addLayout(buttons, 3, 0, 1, 2);

  connect(sheetNewEquip_, &cSheetGrid::valueChanged, this, &frmModEquipList::newItemEdited);
  // A click on the Impact Device box raises checkBoxClicked alone.
  connect(sheetNewEquip_, &cSheetGrid::checkBoxClicked, this,
          [this](int col, int row, bool) { newItemEdited(col, row); });
  connect(sheetEquipList_, &cSheetGrid::cellClicked, this, [this](int, int row) {
    selectedItem = static_cast<std::int16_t>(row);
    setDeleteButtonOn(1);
  });
  connect(sheetEquipList_, &cSheetGrid::blockSelected, this, [this](int, int row, int, int, bool) {
    selectedItem = static_cast<std::int16_t>(row);
    setDeleteButtonOn(1);
  });
  connect(cmdAddDelete_[0], &QPushButton::clicked, this, &frmModEquipList::addItem);
  connect(cmdAddDelete_[1], &QPushButton::clicked, this, &frmModEquipList::deleteItems);
  connect(cmdLoad_[0], &QPushButton::clicked, this, &frmModEquipList::openList);
  connect(cmdLoad_[1], &QPushButton::clicked, this, &frmModEquipList::saveList);
  connect(cmdLoad_[2], &QPushButton::clicked, this, &frmModEquipList::loadDefault);
  connect(cmdLoad_[3], &QPushButton::clicked, this, &frmModEquipList::acceptList);
  connect(cmdLoad_[4], &QPushButton::clicked, this, &frmModEquipList::reject);
}

void frmModEquipList::displayEquipment() {
  const int count = static_cast<int>(editor_.colHold.size());
  // A list longer than the sheet grows it rather than hiding items.
  if (count > sheetEquipList_->maxRows()) {
    layOutSheet(*sheetEquipList_, count);
    sheetEquipList_->setLocked(1, 1, 5, count, true);
  }
  sheetEquipList_->clearAllValues();
  for (int row = 1; row <= count; ++row) {
    const cEquipmentRecord& e = *editor_.colHold[static_cast<std::size_t>(row - 1)];
    sheetEquipList_->setText(1, row, e.description);
    sheetEquipList_->setChecked(2, row, e.impactDevice == 0);
    sheetEquipList_->setNumber(3, row, static_cast<double>(e.usage) / 100.0);
    sheetEquipList_->setText(4, row, levelText(e.spec_lmax));
    sheetEquipList_->setText(5, row, levelText(e.actual_lmax));
  }
}

void frmModEquipList::clearNewEquip() {
  newEquipment = cEquipmentRecord::newRecord();
  newEquipment->description.clear();
  sheetNewEquip_->clearAllValues();
}

void frmModEquipList::setAddButtonOn(int state) {
  editor_.setAddButtonOn(state);
  colour(cmdAddDelete_[0], state);
}

void frmModEquipList::setDeleteButtonOn(int state) {
  editor_.setDeleteButtonOn(state);
  colour(cmdAddDelete_[1], state);
}

void frmModEquipList::setActiveCell(std::int32_t col, std::int32_t row) {
  sheetNewEquip_->setFocus();
  sheetNewEquip_->setActiveCell(col, row);
}

void frmModEquipList::newItemEdited(int col, int row) {
  switch (col) {
    case 1: newEquipment->description = sheetNewEquip_->text(col, row); break;
    case 2: newEquipment->impactDevice = sheetNewEquip_->isChecked(col, row) ? 0 : 1; break;
    case 3: {
      // A usage too large for a level is no usage at all.
      const float usage = static_cast<float>(sheetNewEquip_->value(col, row) * 100.0);
      newEquipment->usage = std::isfinite(usage) ? usage : 0.0f;
      break;
    }
    case 4: newEquipment->spec_lmax = cModEquipment::lmaxFromText(sheetNewEquip_->text(col, row)); break;
    case 5: newEquipment->actual_lmax = cModEquipment::lmaxFromText(sheetNewEquip_->text(col, row)); break;
    default: return;
  }
  // Quietly while the user types: the messages wait for Add.
  editor_.checkNewEquipment(*newEquipment, false, *this);
}

void frmModEquipList::addItem() {
  setDeleteButtonOn(2);
  if (!editor_.add(*newEquipment, *this)) return;
  displayEquipment();
  clearNewEquip();
  setAddButtonOn(2);
}

void frmModEquipList::deleteItems() {
  const cGridBlock block = sheetEquipList_->selection();
  if (!editor_.deleteItems(block.row1, block.row2)) return;
  sheetEquipList_->clearSelection();
  setDeleteButtonOn(2);
  displayEquipment();
}

void frmModEquipList::openList() {
  if (editor_.open(prompt_)) displayEquipment();
}

void frmModEquipList::saveList() { editor_.save(prompt_); }

void frmModEquipList::loadDefault() {
  if (editor_.loadDefault()) displayEquipment();
}

void frmModEquipList::acceptList() {
  if (editor_.accept(colList_) && onListChanged_) onListChanged_();
  accept();
}

void frmModEquipList::reject() {
  editor_.cancel();
  QDialog::reject();
}
