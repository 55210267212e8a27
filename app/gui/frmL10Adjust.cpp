#include "app/gui/frmL10Adjust.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "qtplatform/mCodePage.h"
#include "study/mParseField.h"
#include "study/IMessageService.h"
#include "study/mFormat.h"

namespace {

QPushButton* makeButton(const char* caption, const char* tip, int index, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QStringLiteral("cmdClose_%1").arg(index));
  button->setToolTip(QString::fromLatin1(tip));
  button->setAccessibleName(button->text());
  button->setAutoDefault(false);
  return button;
}

}  // namespace

frmL10Adjust::frmL10Adjust(IMessageService& messages, QWidget* parent) : QDialog(parent), messages_(messages) {
  setObjectName(QStringLiteral("frmL10Adjust"));
  setWindowTitle(QStringLiteral("L10 Adjustment"));
  auto* label = new QLabel(QStringLiteral("L10 = Leq +"), this);
  txtAdjustment_ = new QLineEdit(this);
  txtAdjustment_->setObjectName(QStringLiteral("txtAdjustment"));
  txtAdjustment_->setAccessibleName(label->text());
  label->setBuddy(txtAdjustment_);
  txtAdjustment_->installEventFilter(this);

  cmdOk_ = makeButton("OK", "Set changes and close.", 0, this);
  cmdCancel_ = makeButton("Cancel", "Ignore changes and close.", 1, this);
  cmdDefault_ = makeButton("Default", "Empirically derived from CA/T Project (MA) data.", 2, this);

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(txtAdjustment_, 0, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdOk_);
  buttons->addWidget(cmdCancel_);
  buttons->addWidget(cmdDefault_);
  layout->addLayout(buttons, 1, 0, 1, 2);

  connect(cmdOk_, &QPushButton::clicked, this, &frmL10Adjust::onOk);
  connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdDefault_, &QPushButton::clicked, this, &frmL10Adjust::onDefault);
}

void frmL10Adjust::setAdjustment(float value) {
  shown_ = value;
  adjustment_ = value;
}

void frmL10Adjust::setDefaultAdjustment(float value) { default_ = value; }

void frmL10Adjust::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  txtAdjustment_->setText(QString::fromStdString(format0_0(shown_)));
  txtAdjustment_->setFocus();
  txtAdjustment_->selectAll();
}

bool frmL10Adjust::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtAdjustment_ && event->type() == QEvent::FocusOut && !validating_) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Cancel never validates, and OK validates when it is pressed, so the
    // user is told once; a message box or another window taking the focus
    // for a moment is not leaving the box either.
    const bool toOtherWindow = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    QWidget* next = QApplication::focusWidget();
    // A click on OK or Cancel is not leaving the box to go on; Tab is, even
    // when it lands on OK.
    const bool byKey = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    const bool toCloseButton = !byKey && (next == cmdCancel_ || next == cmdOk_);
    if (!toOtherWindow && !toCloseButton && isVisible()) {
      float value = 0.0f;
      if (validateBox(value)) txtAdjustment_->setText(QString::fromStdString(format0_0(value)));
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool frmL10Adjust::validateBox(float& value) {
  const std::string text = mCodePage::fromQString(txtAdjustment_->text().trimmed());
  const std::optional<float> parsed = parseFloatField(text);
  if (parsed && *parsed >= 0.0f) {
    value = *parsed;
    return true;
  }
  validating_ = true;
  messages_.show("Please insert a number greater than or equal to 0.", "Adjustment Factor", MessageIcon::None);
  // The focus goes back once the event that took it away has finished.
  QTimer::singleShot(0, txtAdjustment_, [box = txtAdjustment_] {
    box->setFocus();
    box->selectAll();
  });
  validating_ = false;
  return false;
}

void frmL10Adjust::onOk() {
  float value = 0.0f;
  if (!validateBox(value)) return;
  adjustment_ = value;
  changed_ = true;
  accept();
}

void frmL10Adjust::onDefault() {
  adjustment_ = default_;
  changed_ = true;
  txtAdjustment_->setText(QString::fromStdString(format0_0(default_)));
}
