#include "qtplatform/cQtMessageService.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

#include "qtplatform/mCodePage.h"

cQtMessageService::cQtMessageService(QWidget* parent) : parent_(parent) {}

void cQtMessageService::prepare(QMessageBox& box, const std::string& text, const std::string& title, MessageIcon icon,
                                MessageButtons buttons, MessageAnswer defaultButton) {
  box.setText(mCodePage::toQString(text));
  box.setWindowTitle(mCodePage::toQString(title));
  box.setTextFormat(Qt::PlainText);
  QString iconName;
  switch (icon) {
    case MessageIcon::Critical:
      box.setIcon(QMessageBox::Critical);
      iconName = QStringLiteral("Error");
      break;
    case MessageIcon::Information:
      box.setIcon(QMessageBox::Information);
      iconName = QStringLiteral("Information");
      break;
    case MessageIcon::Question:
      box.setIcon(QMessageBox::Question);
      iconName = QStringLiteral("Question");
      break;
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
  }
  // A screen reader says what the picture says.
  if (QLabel* picture = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
    picture->setAccessibleName(iconName);
  }
  if (buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(defaultButton == MessageAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    // Closing the box without choosing is the safe answer.
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
}

MessageAnswer cQtMessageService::show(const std::string& text, const std::string& title, MessageIcon icon,
                                      MessageButtons buttons, MessageAnswer defaultButton) {
  // A box asked for from inside a modal dialog belongs over that dialog;
  // parented to the main window it would open behind the dialog.
  QWidget* modal = QApplication::activeModalWidget();
  QMessageBox box(modal ? modal : parent_.data());
  prepare(box, text, title, icon, buttons, defaultButton);
  const int answer = box.exec();
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}
