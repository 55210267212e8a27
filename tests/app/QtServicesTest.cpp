#include <cstdint>
#include <string>

#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QUrl>
#include <gtest/gtest.h>

#include "qtplatform/cCursorFile.h"
#include "qtplatform/cMemorySettingsStore.h"
#include "qtplatform/cQtDocumentOpener.h"
#include "qtplatform/cQtMessageService.h"
#include "qtplatform/cQtSettingsStore.h"
#include "qtplatform/mCodePage.h"
#include "tests/app/QtTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

// Answers a message box and remembers how it looked.
struct SeenBox {
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

ModalDriver::Step answer(SeenBox& seen, QMessageBox::StandardButton button) {
  return [&seen, button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return false;
    seen = {box->text(), box->windowTitle(), box->icon(), box->standardButtons(),
            box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton};
    box->button(button)->click();
    return true;
  };
}

TEST(QtMessageService, ShowsTextTitleIconButtonsAndReturnsTheAnswer) {
  qtTestApp();
  cQtMessageService service;
  SeenBox first, second, third;
  ModalDriver driver;
  driver.then(answer(first, QMessageBox::Ok));
  driver.then(answer(second, QMessageBox::Yes));
  driver.then(answer(third, QMessageBox::No));

  EXPECT_EQ(service.show("Could not open: '\\VORN Equipment List.equ'!", "VORN", MessageIcon::Critical),
            MessageAnswer::Ok);
  EXPECT_EQ(first.text, "Could not open: '\\VORN Equipment List.equ'!");
  EXPECT_EQ(first.title, "VORN");
  EXPECT_EQ(first.icon, QMessageBox::Critical);
  EXPECT_EQ(first.buttons, QMessageBox::Ok);

  EXPECT_EQ(service.show("Do you want to exit?", "VORN", MessageIcon::Question, MessageButtons::YesNo,
                         MessageAnswer::No),
            MessageAnswer::Yes);
  EXPECT_EQ(second.icon, QMessageBox::Question);
  EXPECT_EQ(second.buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(second.defaultButton, QMessageBox::No);

  EXPECT_EQ(service.show("Add 'Caf\xe9'?", "Add new item...", MessageIcon::Information, MessageButtons::YesNo),
            MessageAnswer::No);
  EXPECT_EQ(third.text, QString::fromUtf8("Add 'Café'?"));
  EXPECT_EQ(third.icon, QMessageBox::Information);
  EXPECT_EQ(third.defaultButton, QMessageBox::Yes);
  EXPECT_TRUE(driver.allStepsTaken());
}

TEST(QtMessageService, EscapeOnAQuestionAnswersNo) {
  qtTestApp();
  QMessageBox box;
  cQtMessageService::prepare(box, "Set all Criteria to N/A?", "VORN", MessageIcon::Information,
                             MessageButtons::YesNo, MessageAnswer::Yes);
  EXPECT_EQ(box.escapeButton(), box.button(QMessageBox::No));
  cQtMessageService::prepare(box, "Please insert a number greater than 0.", "Adjustment Factor", MessageIcon::None,
                             MessageButtons::Ok, MessageAnswer::Ok);
  EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
}

TEST(SettingsStore, ValuesRoundTripByApplicationSectionAndKey) {
  qtTestApp();
  TempDir dir;
  {
    cQtSettingsStore store(QString::fromStdString(dir.path().string()));
    EXPECT_EQ(store.getSetting("Corvath VORN", "UserSelect", "Units"), "");
    EXPECT_EQ(store.getSetting("Corvath VORN", "UserSelect", "Units", "0"), "0");
    EXPECT_TRUE(store.saveSetting("Corvath VORN", "UserSelect", "Units", "1"));
    EXPECT_TRUE(store.saveSetting("Corvath VORN", "UserSelect", "WarningMessage", "-1"));
    EXPECT_TRUE(store.saveSetting("Other", "UserSelect", "Units", "0"));
    EXPECT_TRUE(store.saveSetting("Corvath VORN", "Odd/Section", "K\xe9y", "V\x80"));
  }
  cQtSettingsStore reopened(QString::fromStdString(dir.path().string()));
  EXPECT_EQ(reopened.getSetting("Corvath VORN", "UserSelect", "Units"), "1");
  EXPECT_EQ(reopened.getSetting("Corvath VORN", "UserSelect", "WarningMessage"), "-1");
  EXPECT_EQ(reopened.getSetting("Other", "UserSelect", "Units"), "0");
  EXPECT_EQ(reopened.getSetting("Corvath VORN", "Odd/Section", "K\xe9y"), "V\x80");
  EXPECT_EQ(reopened.getSetting("Corvath VORN", "Odd", "Section"), "");

  cMemorySettingsStore memory;
  memory.saveSetting("A", "S", "K", "v");
  EXPECT_EQ(memory.getSetting("A", "S", "K"), "v");
  EXPECT_EQ(memory.getSetting("A", "S", "L", "d"), "d");
}

class UrlCatcher : public QObject {
  Q_OBJECT
public:
  QList<QUrl> urls;
public slots:
  void open(const QUrl& url) { urls.append(url); }
};

TEST(DocumentOpener, OpensAnExistingDocumentAndFailsOnAMissingOne) {
  qtTestApp();
  TempDir dir;
  TempDir::write(dir.file("Tarnwick_UserGuide.pdf"), "%PDF");
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
  cQtDocumentOpener opener;
  const std::string folder = dir.path().string() + "/";
  EXPECT_TRUE(opener.openDocument(folder, "Tarnwick_UserGuide.pdf"));
  EXPECT_FALSE(opener.openDocument(folder, "missing.pdf"));
  EXPECT_FALSE(opener.openDocument(folder, ""));
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  ASSERT_EQ(catcher.urls.size(), 1);
  EXPECT_EQ(catcher.urls[0], QUrl::fromLocalFile(QString::fromStdString(folder + "Tarnwick_UserGuide.pdf")));
}

// A 32 x 32 cursor file with 32-bit pixels, built byte by byte.
std::string cursorFile(int hotX, int hotY) {
  std::string bytes;
  const auto put16 = [&](int v) { bytes += static_cast<char>(v & 0xFF); bytes += static_cast<char>((v >> 8) & 0xFF); };
  const auto put32 = [&](std::uint32_t v) { put16(static_cast<int>(v & 0xFFFF)); put16(static_cast<int>(v >> 16)); };
  const std::uint32_t pixels = 32 * 32 * 4, mask = 32 * 4;
  put16(0); put16(2); put16(1);                                       // header: a cursor, one image
  bytes += '\x20'; bytes += '\x20'; bytes += '\0'; bytes += '\0';     // 32 x 32, no palette
  put16(hotX); put16(hotY); put32(40 + pixels + mask); put32(22);     // hot spot, size, offset
  put32(40); put32(32); put32(64); put16(1); put16(32); put32(0);     // bitmap header (height doubled)
  put32(pixels + mask); put32(0); put32(0); put32(0); put32(0);
  for (std::uint32_t i = 0; i < 32 * 32; ++i) bytes += std::string("\x00\x00\x00\xff", 4);  // opaque black
  bytes += std::string(mask, '\0');
  return bytes;
}

TEST(CursorFile, LoadsACursorWithItsHotSpotAndRefusesBadFiles) {
  qtTestApp();
  TempDir dir;
  TempDir::write(dir.file("zoom_in.cur"), cursorFile(5, 7));
  TempDir::write(dir.file("broken.cur"), cursorFile(5, 7).substr(0, 30));
  TempDir::write(dir.file("text.cur"), "not a cursor");
  QCursor cursor(Qt::IBeamCursor);
  ASSERT_TRUE(cCursorFile::load(dir.file("zoom_in.cur"), cursor));
  EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
  EXPECT_EQ(cursor.hotSpot(), QPoint(5, 7));
  EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));

  QCursor untouched(Qt::IBeamCursor);
  EXPECT_FALSE(cCursorFile::load(dir.file("missing.cur"), untouched));
  EXPECT_FALSE(cCursorFile::load(dir.file("broken.cur"), untouched));
  EXPECT_FALSE(cCursorFile::load(dir.file("text.cur"), untouched));
  EXPECT_EQ(untouched.shape(), Qt::IBeamCursor);
}

TEST(CodePage, Windows1252BytesRoundTripThroughUnicode) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(mCodePage::fromQString(mCodePage::toQString(all)), all);
  EXPECT_EQ(mCodePage::toQString("\x80\x9f\xe9"), QString::fromUtf8("€Ÿé"));
  EXPECT_EQ(mCodePage::fromQString(QString::fromUtf8("Ω")), "?");
}

}  // namespace

#include "QtServicesTest.moc"
