#include "criteria/ui/frmCriteria.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "qtplatform/cSheetGrid.h"
#include "criteria/cNoiseLimits.h"
#include "criteria/ui/frmEquation.h"
#include "criteria/ui/mCriteriaSheet.h"
#include "study/cStudy.h"

namespace {

// The table of the metric the dialog does not show (Leq while L10 is shown,
// and the other way round).
std::int32_t otherMetric(std::int32_t noiseMetric) { return noiseMetric == 1 ? 2 : 1; }

QPushButton* button(QWidget* parent, const char* caption, const char* tip, const QString& name) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setToolTip(QString::fromLatin1(tip));
  b->setObjectName(name);
  b->setAccessibleName(b->text());
  b->setAutoDefault(false);
  return b;
}

}  // namespace

frmCriteria::frmCriteria(cStudy& study, SF_FilePrompt& prompt, std::string programDir, QWidget* parent)
    : QDialog(parent), study_(study), prompt_(prompt), programDir_(std::move(programDir)) {
  heldOther_.LimitType = otherMetric(study_.NoiseMetric);
  heldOther_.initialize();
  holdAllTables();
  buildLayout();
  showCriteria();
}

void frmCriteria::buildLayout() {
  setObjectName(QStringLiteral("frmCriteria"));
  setWindowTitle(QStringLiteral("Noise Limit Criteria"));
  setAccessibleName(windowTitle());
  auto* grid = new QGridLayout(this);

  auto* lblLmax = new QLabel(QStringLiteral("Lmax (dBA)"), this);
  lblLmax->setObjectName(QStringLiteral("lblLmax"));
  lblNoiseMetric_ = new QLabel(this);
  lblNoiseMetric_->setObjectName(QStringLiteral("lblNoiseMetric"));
  grid->addWidget(lblLmax, 0, 0);
  grid->addWidget(lblNoiseMetric_, 0, 1);
  for (int i = 0; i < 2; ++i) {
    auto* sheet = new cSheetGrid(this);
    sheet->setObjectName(QStringLiteral("sheetCriteria%1").arg(i));
    sheetCriteria_[static_cast<std::size_t>(i)] = sheet;
    grid->addWidget(sheet, 1, i);
    connect(sheet, &cSheetGrid::cellClicked, this, [this, i](int col, int row) { editCell(i, col, row); });
    // From the keyboard a cell opens with Return, Space or F2.
    sheet->setActivateOnKeys(true);
    connect(sheet, &cSheetGrid::cellActivated, this, [this, i](int col, int row) { editCell(i, col, row); });
  }
  mCriteriaSheet::layOut(*sheet(0), "Lmax (dBA)");
  mCriteriaSheet::layOut(*sheet(1), study_.NoiseMetric == 1 ? "Leq (dBA)" : "L10 (dBA)");

  cmdLoad_ = {button(this, "Clear", "Set all criteria to N/A.", QStringLiteral("cmdLoad0")),
              button(this, "Default", "CA/T Project (MA), Construction Noise Control Specification 721.560.",
                     QStringLiteral("cmdLoad1")),
              button(this, "Open", "Load criteria from a selected file.", QStringLiteral("cmdLoad2")),
              button(this, "Save", "Save criteria to a file.", QStringLiteral("cmdLoad3"))};
  cmdClose_ = {button(this, "OK", "Set changes and close.", QStringLiteral("cmdClose0")),
               button(this, "Cancel", "Ignore changes and close.", QStringLiteral("cmdClose1"))};
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : cmdLoad_) buttons->addWidget(b);
  buttons->addStretch();
  for (QPushButton* b : cmdClose_) buttons->addWidget(b);
  grid->addLayout(buttons, 2, 0, 1, 2);

  connect(cmdLoad_[0], &QPushButton::clicked, this, &frmCriteria::clearCriteria);
  connect(cmdLoad_[1], &QPushButton::clicked, this, &frmCriteria::loadDefault);
  connect(cmdLoad_[2], &QPushButton::clicked, this, &frmCriteria::openFile);
  connect(cmdLoad_[3], &QPushButton::clicked, this, &frmCriteria::saveFile);
  connect(cmdClose_[0], &QPushButton::clicked, this, &frmCriteria::acceptCriteria);
  connect(cmdClose_[1], &QPushButton::clicked, this, &frmCriteria::reject);
}

void frmCriteria::holdAllTables() {
  study_.NoiseLimits.holdCriteria();
  if (const cNoiseLimitData* other = study_.NoiseLimits.table(heldOther_.LimitType)) heldOther_.copy(*other);
}

void frmCriteria::rewindAllTables() {
  study_.NoiseLimits.rewindCriteria();
  if (cNoiseLimitData* other = study_.NoiseLimits.table(heldOther_.LimitType)) other->copy(heldOther_);
}

void frmCriteria::showCriteria() {
  const bool leq = study_.NoiseMetric == 1;
  lblNoiseMetric_->setText(leq ? QStringLiteral("Leq (dBA)") : QStringLiteral("L10 (dBA)"));
  sheet(1)->setAccessibleName(lblNoiseMetric_->text());
  for (int index = 0; index < 2; ++index) {
    for (std::int16_t row = 1; row <= mCriteriaSheet::rows; ++row) {
      for (std::int16_t col = 1; col <= mCriteriaSheet::cols; ++col) {
        const auto eq = study_.NoiseLimits.Criteria.getEquation(index, row, col);
        sheet(index)->setText(col, row, eq ? eq->valueText() : std::string());
        mCriteriaSheet::setTip(*sheet(index), col, row, eq ? eq->equationTxt() : std::string());
      }
    }
  }
}

void frmCriteria::clearCriteria() {
  study_.NoiseLimits.Criteria.clearCriteria(true);
  showCriteria();
}

void frmCriteria::loadDefault() {
  // Only criteria actually loaded make OK switch the study to L10.
  if (study_.NoiseLimits.Criteria.loadDefault(programDir_)) defaultLoaded_ = true;
  showCriteria();
}

void frmCriteria::openFile() {
  study_.NoiseLimits.Criteria.openFile(prompt_);
  showCriteria();
}

void frmCriteria::saveFile() { study_.NoiseLimits.Criteria.saveFile(prompt_); }

void frmCriteria::acceptCriteria() {
  bool showMessage = true;
  if (!study_.NoiseLimits.Criteria.check(showMessage)) return;
  study_.setCaseChanged(true);
  outcome_ = {true, defaultLoaded_};
  defaultLoaded_ = false;
  accept();
}

void frmCriteria::reject() {
  rewindAllTables();
  outcome_ = {};
  QDialog::reject();
}

void frmCriteria::editCell(int sheetIndex, int col, int row) {
  if (col < 1 || col > mCriteriaSheet::cols || row < 1 || row > mCriteriaSheet::rows) return;
  cSheetGrid* clicked = sheet(sheetIndex);
  frmEquation equation(study_, sheetIndex, static_cast<std::int16_t>(row), static_cast<std::int16_t>(col), this);
  const QRect cell = clicked->cellScreenRect(col, row);
  if (cell.isValid()) equation.move(cell.topRight() + QPoint(4, 0));
  clicked->setBorder(col, row, col, row, Qt::blue);
  equation.exec();
  clicked->removeBorder(col, row, col, row);
  // The sheet shows what the tables hold, whichever way the dialog closed.
  showCriteria();
}
