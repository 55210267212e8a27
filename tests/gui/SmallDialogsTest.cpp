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

struct L10Adjust : ::testing::Test {
  QApplication& app = qtTestApp();
  cScriptedMessageService messages;
  frmL10Adjust dialog{messages};
  QLineEdit* box() { return dialog.adjustmentBox(); }
  QPushButton* button(int i) { return dialog.findChild<QPushButton*>(QStringLiteral("cmdClose_%1").arg(i)); }
  void SetUp() override {
    dialog.setAdjustment(4.25f);
    dialog.setDefaultAdjustment(3.0f);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
};

TEST_F(L10Adjust, ShowsItsCaptionsTipsAndTheAdjustment) {
  EXPECT_EQ(dialog.windowTitle(), "L10 Adjustment");
  EXPECT_EQ(box()->text(), "4.3");
  const char* captions[] = {"OK", "Cancel", "Default"};
  const char* tips[] = {"Set changes and close.", "Ignore changes and close.",
                        "Empirically derived from CA/T Project (MA) data."};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(button(i)->text().toStdString(), captions[i]);
    EXPECT_EQ(button(i)->toolTip().toStdString(), tips[i]);
  }
  EXPECT_NE(dialog.findChild<QLabel*>(), nullptr);
  EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "L10 = Leq +");
}

TEST_F(L10Adjust, LeavingTheBoxWithABadValueKeepsTheFocusThereAndReformatsAGoodOne) {
  for (const char* bad : {"abc", "-0.5", "1e39", ""}) {
    messages.clear();
    box()->setFocus();
    box()->setText(QString::fromLatin1(bad));
    button(2)->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(messages.messages().size(), 1u) << bad;
    EXPECT_EQ(messages.messages()[0].text, "Please insert a number greater than or equal to 0.");
    EXPECT_EQ(QApplication::focusWidget(), box()) << bad;
  }
  messages.clear();
  box()->setText("2.26");
  button(2)->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(box()->text(), "2.3");
}

TEST_F(L10Adjust, CancelNeverValidatesAndChangesNothing) {
  box()->setFocus();
  box()->setText("abc");
  button(1)->setFocus();
  button(1)->click();
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_FALSE(dialog.changed());
}

TEST_F(L10Adjust, DefaultSetsThreeAndStaysOpenAndOkTakesTheBox) {
  button(2)->click();
  EXPECT_TRUE(dialog.changed());
  EXPECT_FLOAT_EQ(dialog.adjustment(), 3.0f);
  EXPECT_EQ(box()->text(), "3.0");
  EXPECT_TRUE(dialog.isVisible());
  box()->setText("0");
  button(0)->click();
  EXPECT_FLOAT_EQ(dialog.adjustment(), 0.0f);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(About, ShowsTheVersionAndPreparerAndTheLetterAOpensTheCredits) {
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
}

TEST(Credits, ListsRolesReadOnlyOneALineAndOkCloses) {
  qtTestApp();
  frmCredits credits;
  QPlainTextEdit* text = credits.creditsText();
  EXPECT_TRUE(text->isReadOnly());
  const QStringList lines = text->toPlainText().split('\n');
  EXPECT_GE(lines.size(), 3);
  EXPECT_TRUE(text->toPlainText().contains("Programming"));
  EXPECT_TRUE(text->toPlainText().contains("Testing"));
  credits.show();
  credits.findChild<QPushButton*>("cmdOK")->click();
  EXPECT_FALSE(credits.isVisible());
}

}  // namespace
