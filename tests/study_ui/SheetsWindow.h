#pragma once
// The three sheets in one window, over one study, as the main window holds
// them: the study draws on them through its views, messages are scripted,
// and the main window's side is recorded.

#include <memory>
#include <string>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "qtplatform/cSheetGrid.h"
#include "study/cEquipment.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"
#include "study/ui/cEquipmentSheet.h"
#include "study/ui/cReceptors.h"
#include "study/ui/cResults.h"
#include "tests/app/QtTestSupport.h"
#include "tests/study/RecordingViews.h"

class SheetsWindow : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    addListType("Backhoe", 1, 40, 80, valueNA);
    addListType("Hoe Ram", 0, 20, 90, 87.3f);
    addListType("Pumps", 1, 50, valueNA, 81);
    auto* layout = new QVBoxLayout(&window);
    receptors = std::make_unique<cReceptors>(study, &window);
    equipSheet = std::make_unique<cEquipmentSheet>(study, equipment, &window);
    results = std::make_unique<cResults>(study, &window);
    other = new QLineEdit(&window);
    layout->addWidget(receptors->grid());
    layout->addWidget(equipSheet->grid());
    layout->addWidget(results->grid());
    layout->addWidget(other);
    study.attachViews(&mainView, receptors.get(), equipSheet.get(), results.get(), &messages);
    study.caseFileOpen = [] { return false; };
    receptors->initialize();
    equipSheet->initialize();
    results->initialize();
    equipSheet->setSoftwareButtonFlag(&softwareButton);
    receptors->setSoftwareButtonFlag(&softwareButton);
    window.resize(1000, 900);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  void addListType(const std::string& description, int impact, float usage, float spec, float actual) {
    auto e = std::make_shared<cEquipmentRecord>();
    e->description = description;
    e->impactDevice = impact;
    e->usage = usage;
    e->spec_lmax = spec;
    e->actual_lmax = actual;
    e->spec_select = !isValueNA(spec);
    equipment.colList.push_back(e);
  }

  // The user's side of a grid.
  static QPoint centre(cSheetGrid* grid, int col, int row) {
    return grid->table()->visualRect(grid->table()->model()->index(row - 1, col - 1)).center();
  }
  static void click(cSheetGrid* grid, int col, int row, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::mouseClick(grid->table()->viewport(), Qt::LeftButton, m, centre(grid, col, row));
  }
  // Whole rows, chosen on their row headings as a user does.
  static void selectRows(cSheetGrid* grid, int first, int last) {
    QHeaderView* heads = grid->table()->verticalHeader();
    grid->table()->scrollTo(grid->table()->model()->index(first - 1, 0));
    const auto at = [&](int row) {
      return QPoint(heads->width() / 2, heads->sectionViewportPosition(row - 1) + heads->sectionSize(row - 1) / 2);
    };
    QTest::mouseClick(heads->viewport(), Qt::LeftButton, {}, at(first));
    if (last != first) QTest::mouseClick(heads->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(last));
  }
  static void type(const QString& text) {
    for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
  }
  int callsOf(const std::string& call) const {
    return static_cast<int>(std::count(log.calls.begin(), log.calls.end(), call));
  }

  QApplication& app = qtTestApp();  // before any widget
  CallLog log;
  RecordingMainView mainView{log};
  cScriptedMessageService messages;
  cStudy study;
  cEquipment equipment;
  bool softwareButton = false;
  QWidget window;
  QLineEdit* other = nullptr;
  std::unique_ptr<cReceptors> receptors;
  std::unique_ptr<cEquipmentSheet> equipSheet;
  std::unique_ptr<cResults> results;
};
