#pragma once
// A careless user at the whole program, started offscreen with every
// service scripted at random: clicks, typing, list choices, check boxes,
// blocks and rows selected, copy and paste (text from outside too), Delete,
// Undo, units, metric, zoom, the dialogs, New, Open, Save, Export and Exit,
// in any order. After every action the invariants of mWindowInvariants must
// hold. A seed replays the run exactly.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <gtest/gtest.h>

#include "tests/fuzzwin/cDice.h"
#include "tests/fuzzwin/cRandomServices.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"

class cRandomModals;

class cRandomUser {
public:
  explicit cRandomUser(std::uint64_t seed);
  ~cRandomUser();

  // Starts the program; false when it did not come up.
  bool start();
  // Takes that many actions, checking after each. Empty when every check
  // held; otherwise what broke, with the seed, the action's number and the
  // actions that led there.
  std::string run(int actions);

  cStudy& study() { return program_->study; }
  frmMain& window() { return *program_->window; }
  const std::filesystem::path& folder() const { return folder_.path(); }

private:
  struct Action {
    int weight;
    std::function<void()> take;
  };
  std::vector<Action> actions();
  std::string checkAfter(int index);
  void log(const std::string& line);
  void preparePrograms();

  // Pieces of actions.
  QString randomText();
  QString textFor(cSheetGrid* sheet, int col);
  cSheetGrid* randomSheet();
  int randomRow(cSheetGrid* sheet);
  void typeInto(cSheetGrid* sheet, int col, int row, const QString& text);
  void typeKeys(const QString& text);
  void chooseItem(cSheetGrid* sheet, int row, int index);
  bool menu(const char* name);
  void button(int index);
  QString outsideTable();

  std::uint64_t seed_;
  cDice dice_;
  TempDir folder_;
  std::string programDir_;
  cRandomMessages messages_;
  cRandomFileDialog dialog_;
  cMemorySettingsStore settings_;
  cRecordingOpener opener_;
  std::unique_ptr<cProgram> program_;
  std::unique_ptr<cRandomModals> modals_;
  std::deque<std::string> log_;
  std::string batchChecked_;  // the bytes of the case file vorn-batch last opened
  int quits_ = 0;
  // How far the run got: actions after which results were on show, and
  // saved cases that the batch tool opened.
  int resultsShown_ = 0;
  int casesBatched_ = 0;
};
