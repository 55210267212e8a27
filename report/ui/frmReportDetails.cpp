#include "report/ui/frmReportDetails.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qtplatform/mCodePage.h"

namespace {

constexpr int kMaxLength = 120;

QLineEdit* box(QWidget* parent, const char* name, const char* accessible) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(QString::fromLatin1(accessible));
  edit->setMaxLength(kMaxLength);
  edit->setMinimumWidth(320);
  return edit;
}

}  // namespace

frmReportDetails::frmReportDetails(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmReportDetails"));
  setWindowTitle(QStringLiteral("Report Details"));
  setAccessibleName(windowTitle());
  organisation_ = box(this, "txtOrganisation", "Organisation:");
  author_ = box(this, "txtAuthor", "Author:");
  auto* explanation =
      new QLabel(QStringLiteral("The organisation and author the PDF report names as its preparer."), this);
  explanation->setObjectName(QStringLiteral("lblExplanation"));
  explanation->setWordWrap(true);
  auto* form = new QFormLayout();
  form->addRow(QStringLiteral("&Organisation:"), organisation_);
  form->addRow(QStringLiteral("&Author:"), author_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOk"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void frmReportDetails::setPreparer(const mPdfReport::Preparer& preparer) {
  organisation_->setText(mCodePage::toQString(preparer.organisation));
  author_->setText(mCodePage::toQString(preparer.author));
}

mPdfReport::Preparer frmReportDetails::preparer() const {
  return {mCodePage::fromQString(organisation_->text().trimmed()), mCodePage::fromQString(author_->text().trimmed())};
}
