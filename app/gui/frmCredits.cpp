#include "app/gui/frmCredits.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmCredits::frmCredits(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmCredits"));
  setWindowTitle(QStringLiteral("Acknowledgments"));
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("txtCredits"));
  text_->setAccessibleName(QStringLiteral("Acknowledgments"));
  text_->setReadOnly(true);
  text_->setPlainText(QStringLiteral("Program design: the Corvath acoustics group\n"
                                     "Noise model and criteria: the Corvath acoustics group\n"
                                     "Programming: the Corvath software group\n"
                                     "Testing: the Corvath acoustics and software groups"));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setAccessibleName(ok->text());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
