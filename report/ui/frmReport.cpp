#include "report/ui/frmReport.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "compute/mProcess.h"
#include "report/cReport.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"

frmReport::frmReport(cStudy& study, SF_FilePrompt& prompt, QWidget* parent)
    : QDialog(parent), study_(study), prompt_(prompt) {
  setObjectName(QStringLiteral("frmReport"));
  setWindowTitle(QStringLiteral("Export Results"));
  setAccessibleName(windowTitle());

  lblExplanation_ = new QLabel(this);
  lblExplanation_->setObjectName(QStringLiteral("lblExplanation"));
  lblExplanation_->setWordWrap(true);

  auto* frame = new QGroupBox(this);
  frame->setObjectName(QStringLiteral("frameResults"));
  auto* options = new QVBoxLayout(frame);
  auto* group = new QButtonGroup(this);
  const char* captions[] = {"Selected Receptor", "All Receptors"};
  for (int i = 0; i < 2; ++i) {
    auto* option = new QRadioButton(QString::fromLatin1(captions[i]), frame);
    option->setObjectName(QStringLiteral("optResuts%1").arg(i));
    option->setAccessibleName(option->text());
    group->addButton(option, i);
    options->addWidget(option);
    optResuts_[static_cast<std::size_t>(i)] = option;
  }
  optResuts_[0]->setChecked(true);

  const char* buttons[] = {"Ok", "Close"};
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (int i = 0; i < 2; ++i) {
    auto* b = new QPushButton(QString::fromLatin1(buttons[i]), this);
    b->setObjectName(QStringLiteral("cmdClose%1").arg(i));
    b->setAccessibleName(b->text());
    row->addWidget(b);
    cmdClose_[static_cast<std::size_t>(i)] = b;
  }
  cmdClose_[0]->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblExplanation_);
  layout->addWidget(frame);
  layout->addLayout(row);
  connect(cmdClose_[0], &QPushButton::clicked, this, &frmReport::exportReport);
  connect(cmdClose_[1], &QPushButton::clicked, this, &QDialog::reject);
  SetFile(reportType_);
}

void frmReport::SetFile(std::int32_t type) {
  if (type == cReport::commaReport)
    lblExplanation_->setText(QStringLiteral("Export the Receptor(s), Equipment and Results to a comma delimited file."));
  else if (type == cReport::textReport)
    lblExplanation_->setText(QStringLiteral("Export the Receptor(s), Equipment and Results to a text file."));
  else
    return;
  reportType_ = type;
}

bool frmReport::allReceptors() const { return optResuts_[1]->isChecked(); }

void frmReport::showEvent(QShowEvent* event) {
  optResuts_[0]->setChecked(true);
  QDialog::showEvent(event);
}

bool frmReport::computeEveryReceptor() {
  if (!study_.caseProcessed || !mProcess::processEveryReceptor(study_)) {
    study_.messages().show("No case results to report.", "VORN", MessageIcon::Critical);
    if (showInputAtFault_) showInputAtFault_();
    return false;
  }
  return true;
}

void frmReport::exportReport() {
  const bool all = allReceptors();
  // The other receptors' stored results may predate the last edit, or be
  // missing after an undo: all of them are computed before anything is written.
  if (all && !computeEveryReceptor()) return;
  if (study_.Report.exportResults(reportType_, all, prompt_)) accept();
}
