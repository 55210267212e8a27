// Message boxes asked for while a dialog is modal open over that dialog, not
// behind it over the main window the service was given.
#include "qtplatform/cQtMessageService.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "tests/app/QtTestSupport.h"

TEST(QtMessageService, BoxStacksOverTheOpenModalDialog) {
  qtTestApp();
  QWidget mainWindow;
  mainWindow.show();
  cQtMessageService service(&mainWindow);
  QDialog dialog(&mainWindow);
  QWidget* boxParent = nullptr;
  MessageAnswer answer = MessageAnswer::Ok;
  ModalDriver driver;
  driver.then([&](QWidget* modal) {
    if (modal != &dialog) return false;
    QTimer::singleShot(0, &dialog, [&] {
      answer = service.show("Set all Criteria to N/A?", "VORN", MessageIcon::Information, MessageButtons::YesNo);
    });
    return true;
  });
  driver.then([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return false;
    boxParent = box->parentWidget();
    box->button(QMessageBox::No)->click();
    return true;
  });
  driver.then([&](QWidget* modal) {
    if (modal != &dialog) return false;
    dialog.accept();
    return true;
  });
  dialog.exec();
  EXPECT_TRUE(driver.allStepsTaken());
  EXPECT_EQ(boxParent, &dialog);
  EXPECT_EQ(answer, MessageAnswer::No);
}

// A screen reader names the picture beside the text as a sighted user reads it.
TEST(QtMessageService, IconsAreNamedForAssistiveTechnology) {
  qtTestApp();
  const std::pair<MessageIcon, const char*> icons[] = {
      {MessageIcon::Critical, "Error"}, {MessageIcon::Question, "Question"}, {MessageIcon::Information, "Information"}};
  for (const auto& [icon, name] : icons) {
    QMessageBox box;
    cQtMessageService::prepare(box, "Problem reading case file.", "VORN", icon, MessageButtons::Ok, MessageAnswer::Ok);
    auto* picture = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
    ASSERT_NE(picture, nullptr);
    QAccessibleInterface* said = QAccessible::queryAccessibleInterface(picture);
    ASSERT_NE(said, nullptr);
    EXPECT_EQ(said->text(QAccessible::Name).toStdString(), name);
  }
}
