#include "criteria/ui/frmLimits.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "qtplatform/cSheetGrid.h"
#include "qtplatform/mCodePage.h"
#include "criteria/cNoiseLimits.h"
#include "criteria/ui/mCriteriaSheet.h"
#include "study/cStudy.h"

frmLimits::frmLimits(cStudy& study, QWidget* parent) : QDialog(parent), study_(study) {
  setObjectName(QStringLiteral("frmLimits"));
  setWindowTitle(QStringLiteral("Noise Limits"));
  setAccessibleName(windowTitle());
  auto* grid = new QGridLayout(this);
  lblReceptor_ = new QLabel(this);
  lblReceptor_->setObjectName(QStringLiteral("lblReceptor"));
  grid->addWidget(lblReceptor_, 0, 0, 1, 2);
  auto* lblLmax = new QLabel(QStringLiteral("Lmax (dBA)"), this);
  lblLmax->setObjectName(QStringLiteral("lblLmax"));
  lblNoiseMetric_ = new QLabel(this);
  lblNoiseMetric_->setObjectName(QStringLiteral("lblNoiseMetric"));
  grid->addWidget(lblLmax, 1, 0);
  grid->addWidget(lblNoiseMetric_, 1, 1);
  for (int i = 0; i < 2; ++i) {
    auto* sheet = new cSheetGrid(this);
    sheet->setObjectName(QStringLiteral("sheetLimits%1").arg(i));
    sheetLimits_[static_cast<std::size_t>(i)] = sheet;
    // The sheets only show: Return is the dialog's, and closes it.
    sheet->setReturnToWindow(true);
    grid->addWidget(sheet, 2, i);
  }
  mCriteriaSheet::layOut(*sheet(0), "Lmax (dBA)");
  mCriteriaSheet::layOut(*sheet(1), study_.NoiseMetric == 1 ? "Leq (dBA)" : "L10 (dBA)");
  cmdClose_ = new QPushButton(QStringLiteral("OK"), this);
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));
  cmdClose_->setAccessibleName(cmdClose_->text());
  cmdClose_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdClose_);
  grid->addLayout(buttons, 3, 0, 1, 2);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
  showLimits();
}

void frmLimits::showLimits() {
  study_.NoiseLimits.Limits.setBaselines();
  std::shared_ptr<cReceptorRecord> receptor;
  const bool found = study_.getReceptor(receptor, study_.receptorID());
  lblReceptor_->setText(found ? mCodePage::toQString(receptor->description) : QString());
  const bool leq = study_.NoiseMetric == 1;
  lblNoiseMetric_->setText(leq ? QStringLiteral("Leq (dBA)") : QStringLiteral("L10 (dBA)"));
  sheet(1)->setAccessibleName(lblNoiseMetric_->text());
  const std::int32_t tables[2] = {0, study_.NoiseMetric};
  for (int index = 0; index < 2; ++index) {
    for (std::int16_t row = 1; row <= mCriteriaSheet::rows; ++row) {
      for (std::int16_t col = 1; col <= mCriteriaSheet::cols; ++col) {
        const auto eq = study_.NoiseLimits.getCriteria(tables[index], row, col);
        // Written as given: a negative Baseline+ limit is a limit, not "N/A".
        sheet(index)->setText(col, row, eq ? eq->limitText() : std::string());
        mCriteriaSheet::setTip(*sheet(index), col, row, eq ? eq->equationTxt() : std::string());
      }
    }
  }
}
