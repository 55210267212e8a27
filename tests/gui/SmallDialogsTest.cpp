#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/gui/frmAbout.h"
#include "app/gui/frmCredits.h"
#include "app/gui/frmL10Adjust.h"
#include "study/cScriptedMessageService.h"
#include "tests/app/QtTestSupport.h"

namespace {

TEST(L10Adjust, ABadValueKeepsTheFocusCancelNeverValidatesAndDefaultStaysOpen) {
  qtTestApp();
  cScriptedMessageService messages;
  frmL10Adjust dialog{messages};
  dialog.setAdjustment(4.25f);
  dialog.setDefaultAdjustment(3.0f);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QLineEdit* box = dialog.adjustmentBox();
  auto button = [&](int i) { return dialog.findChild<QPushButton*>(QStringLiteral("cmdClose_%1").arg(i)); };
  EXPECT_EQ(dialog.windowTitle(), "L10 Adjustment");
  EXPECT_EQ(box->text(), "4.3");
  EXPECT_EQ(button(2)->toolTip(), "Empirically derived from CA/T Project (MA) data.");

  for (const char* bad : {"abc", "-0.5", "1e39", ""}) {
    messages.clear();
    box->setFocus();
    box->setText(QString::fromLatin1(bad));
    button(2)->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(messages.messages().size(), 1u) << bad;
    EXPECT_EQ(messages.messages()[0].text, "Please insert a number greater than or equal to 0.");
    EXPECT_EQ(QApplication::focusWidget(), box) << bad;
  }
  messages.clear();
  box->setText("2.26");
  button(2)->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(box->text(), "2.3");

  box->setFocus();
  box->setText("abc");
  button(1)->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_FALSE(dialog.changed());

  button(2)->click();
  EXPECT_TRUE(dialog.changed());
  EXPECT_FLOAT_EQ(dialog.adjustment(), 3.0f);
  EXPECT_EQ(box->text(), "3.0");
  EXPECT_TRUE(dialog.isVisible());
  button(1)->click();
  EXPECT_FLOAT_EQ(dialog.adjustment(), 3.0f);
}

// Leaving the box by Tab checks it as leaving it any other way does, though
// Tab lands on OK: a bad number keeps the focus, a good one is reformatted.
TEST(L10Adjust, TabOutOfTheBoxChecksIt) {
  qtTestApp();
  cScriptedMessageService messages;
  frmL10Adjust dialog{messages};
  dialog.setAdjustment(3.0f);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QLineEdit* box = dialog.adjustmentBox();
  ASSERT_EQ(QApplication::focusWidget(), box);
  box->setText("-1");
  QTest::keyClick(box, Qt::Key_Tab);
  QApplication::processEvents();
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Please insert a number greater than or equal to 0.");
  EXPECT_EQ(messages.messages()[0].title, "Adjustment Factor");
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::None);
  EXPECT_EQ(QApplication::focusWidget(), box);

  messages.clear();
  box->setText("4");
  QTest::keyClick(box, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(box->text(), "4.0");
  EXPECT_NE(QApplication::focusWidget(), box);

  // Cancel by the mouse never checks.
  box->setFocus();
  box->setText("abc");
  QTest::mouseClick(dialog.findChild<QPushButton*>("cmdClose_1"), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_FALSE(dialog.changed());
}

TEST(About, TheLetterAOpensTheCreditsWhichNameRolesOnly) {
  qtTestApp();
  frmAbout about;
  QStringList texts;
  for (QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains("Software Version 1.1, 12/08/2008"));
  EXPECT_TRUE(texts.contains("Prepared by:"));
  EXPECT_TRUE(texts.contains("Corvath"));
  int credits = 0;
  about.showCredits = [&](QWidget*) { ++credits; };
  about.show();
  QTest::keyClick(&about, Qt::Key_A);
  QTest::keyClick(&about, Qt::Key_A, Qt::ShiftModifier);
  QTest::keyClick(&about, Qt::Key_B);
  EXPECT_EQ(credits, 2);
  about.findChild<QPushButton*>("cmdOK")->click();
  EXPECT_FALSE(about.isVisible());

  frmCredits box;
  EXPECT_TRUE(box.creditsText()->isReadOnly());
  EXPECT_GE(box.creditsText()->toPlainText().split('\n').size(), 3);
}

}  // namespace
