// A case named on the command line opens through File > Open without the
// dialog showing; every later showing is the real dialog's again.

#include "qtplatform/cAnsweredOpenDialog.h"

#include <filesystem>
#include <memory>

#include <QAction>
#include <QApplication>
#include <gtest/gtest.h>

#include "SF_FilePrompt.h"
#include "SF_ScriptedDialog.h"
#include "app/gui/cProgram.h"
#include "app/gui/frmMain.h"
#include "app/gui/mMain.h"
#include "qtplatform/IDocumentOpener.h"
#include "qtplatform/cMemorySettingsStore.h"
#include "study/cScriptedMessageService.h"
#include "tests/app/QtTestSupport.h"

namespace {

namespace fs = std::filesystem;

TEST(AnsweredOpenDialog, AnswersOneOpenWithTheAbsoluteFileThenLeavesTheRealDialog) {
  SF_ScriptedDialog real;
  cAnsweredOpenDialog dialog(real);
  SF_FilePrompt prompt(dialog);
  prompt.FileSuffix("cas");

  dialog.answerNextOpen("jobs/../jobs/Pier 4.cas");
  EXPECT_TRUE(dialog.answerPending());
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  EXPECT_EQ(prompt.Directory(), (fs::current_path() / "jobs").string() + "/");
  EXPECT_EQ(prompt.FileName(1), "Pier 4.cas");
  EXPECT_TRUE(real.showings().empty());
  EXPECT_FALSE(dialog.answerPending());

  // The next open and every save are the user's again.
  real.cancel();
  EXPECT_EQ(prompt.getFile(), SF_FILE_CANCEL);
  prompt.OpenMode(SF_WRITE);
  real.chooseFile("/tmp/out.cas");
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  EXPECT_EQ(prompt.FileName(1), "out.cas");
  ASSERT_EQ(real.showings().size(), 2u);
  EXPECT_EQ(real.showings()[0].kind, SF_ScriptedDialog::Kind::Open);
  EXPECT_EQ(real.showings()[1].kind, SF_ScriptedDialog::Kind::Save);
}

class cNoOpener : public IDocumentOpener {
public:
  bool openDocument(const std::string&, const std::string&, const std::string&) override { return false; }
};

// The program as app/main.cpp starts it for "vorn CASE".
struct cProgramWithArgument {
  cProgramWithArgument() : dialog(real) { qtTestApp(); }
  bool startWith(const std::string& casePath) {
    cStartupServices services{messages, dialog, settings, opener, std::string(VORN_BIN_DIR) + "/", [] {}};
    program = mMain::startup(services);
    if (!program) return false;
    dialog.answerNextOpen(casePath);
    program->window->menuItem(QStringLiteral("mFile_1"))->trigger();
    QApplication::processEvents();
    return true;
  }
  cScriptedMessageService messages;
  SF_ScriptedDialog real;
  cAnsweredOpenDialog dialog;
  cMemorySettingsStore settings;
  cNoOpener opener;
  std::unique_ptr<cProgram> program;
};

TEST(CaseOnTheCommandLine, OpensAsFileOpenWouldWithoutShowingTheDialog) {
  cProgramWithArgument vorn;
  ASSERT_TRUE(vorn.startWith(VORN_SOURCE_DIR "/examples/Bridge Demolition.cas"));
  EXPECT_TRUE(vorn.real.showings().empty());
  EXPECT_TRUE(vorn.messages.messages().empty());
  EXPECT_EQ(vorn.program->window->windowTitle(), "Vornhall (VORN) - Bridge Demolition.cas");
  EXPECT_EQ(vorn.program->study.colReceptors.size(), 3u);
  EXPECT_TRUE(vorn.program->study.caseFile.bCaseOpen);
}

TEST(CaseOnTheCommandLine, AFileThatCannotBeReadIsReportedAndLeavesAnEmptyCase) {
  cProgramWithArgument vorn;
  ASSERT_TRUE(vorn.startWith(VORN_SOURCE_DIR "/examples/no such case.cas"));
  ASSERT_EQ(vorn.messages.messages().size(), 1u);
  EXPECT_EQ(vorn.messages.messages()[0].text, "Problem reading case file.");
  EXPECT_TRUE(vorn.program->study.colReceptors.empty());
  EXPECT_FALSE(vorn.program->study.caseFile.bCaseOpen);
}

}  // namespace
