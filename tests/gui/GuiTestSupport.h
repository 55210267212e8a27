#pragma once
// Starting the whole program offscreen with scripted services, and driving
// its sheets as a user does: clicks, typing, list choices, row headings.

#include <memory>
#include <string>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include "SF_ScriptedDialog.h"
#include "app/gui/cMainEvents.h"
#include "app/gui/cProgram.h"
#include "app/gui/frmMain.h"
#include "app/gui/mMain.h"
#include "qtplatform/IDocumentOpener.h"
#include "qtplatform/cMemorySettingsStore.h"
#include "qtplatform/cSheetGrid.h"
#include "study/cScriptedMessageService.h"
#include "study/ui/cEquipmentSheet.h"
#include "study/ui/cReceptors.h"
#include "study/ui/cResults.h"
#include "tests/app/QtTestSupport.h"

// A document opener that opens nothing and remembers what it was asked.
class cRecordingOpener : public IDocumentOpener {
public:
  bool openDocument(const std::string& directory, const std::string& fileName, const std::string&) override {
    asked = directory + fileName;
    return succeed;
  }
  std::string asked;
  bool succeed = false;
};

// The program as main() starts it, with every service scripted.
struct cStartedProgram {
  explicit cStartedProgram(std::string dir = std::string(VORN_BIN_DIR) + "/") : programDir(std::move(dir)) {
    qtTestApp();
  }

  bool start() {
    cStartupServices services{messages, dialog, settings, opener, programDir, [this] { ++quits; }};
    program = mMain::startup(services);
    if (!program) return false;
    window().activateWindow();
    return QTest::qWaitForWindowActive(&window());
  }

  frmMain& window() { return *program->window; }
  cMainEvents& events() { return *program->events; }
  cStudy& study() { return program->study; }
  QAction* item(const char* name) { return window().menuItem(QString::fromLatin1(name)); }
  // A menu command as the user gives it.
  void choose(const char* name) {
    QAction* action = item(name);
    ASSERT_NE(action, nullptr) << name;
    ASSERT_TRUE(action->isEnabled()) << name;
    action->trigger();
    QApplication::processEvents();
  }

  std::string programDir;
  cScriptedMessageService messages;
  SF_ScriptedDialog dialog;
  cMemorySettingsStore settings;
  cRecordingOpener opener;
  int quits = 0;
  std::unique_ptr<cProgram> program;
};

// One sheet driven through its table with the mouse and the keyboard.
class cSheetDriver {
public:
  explicit cSheetDriver(cSheetGrid* grid) : grid_(grid), table_(grid->table()) {}

  QPoint centre(int col, int row) const {
    table_->scrollTo(table_->model()->index(row - 1, col - 1));
    return table_->visualRect(table_->model()->index(row - 1, col - 1)).center();
  }
  void click(int col, int row) {
    QTest::mouseClick(table_->viewport(), Qt::LeftButton, {}, centre(col, row));
    QApplication::processEvents();
  }
  void shiftClick(int col, int row) {
    QTest::mouseClick(table_->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(col, row));
    QApplication::processEvents();
  }
  QWidget* focus() const { return QApplication::focusWidget() ? QApplication::focusWidget() : table_; }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(focus(), k, m);
    QApplication::processEvents();
  }
  // Clicks the cell, types the text over it and presses Enter.
  void type(int col, int row, const QString& text) {
    click(col, row);
    for (const QChar c : text) QTest::keyClick(focus(), c.toLatin1());
    key(Qt::Key_Return);
  }
  // Opens the cell's list with F4 and picks the entry by its position.
  void choose(int col, int row, int index) {
    click(col, row);
    if (!table_->viewport()->findChild<QComboBox*>()) key(Qt::Key_F4);
    QComboBox* combo = table_->viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    QAbstractItemView* view = combo->view();
    QTest::keyClick(view, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    QApplication::processEvents();
  }
  // Selects whole rows by their headings.
  void selectRows(int first, int last) {
    QHeaderView* heads = table_->verticalHeader();
    auto at = [&](int row) {
      table_->scrollTo(table_->model()->index(row - 1, 0));
      return QPoint(heads->width() / 2, heads->sectionViewportPosition(row - 1) + heads->sectionSize(row - 1) / 2);
    };
    QTest::mouseClick(heads->viewport(), Qt::LeftButton, {}, at(first));
    if (last != first) QTest::mouseClick(heads->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(last));
    QApplication::processEvents();
  }
  std::string text(int col, int row) const { return grid_->text(col, row); }

private:
  cSheetGrid* grid_;
  QTableWidget* table_;
};
