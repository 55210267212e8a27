#include "SF_FilePrompt.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SF_ScriptedDialog.h"
#include "tests/support/TempDir.h"

namespace {

using Kind = SF_ScriptedDialog::Kind;
using Names = std::vector<std::string>;

const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));

std::string cwd() { return std::filesystem::current_path().string(); }

class FilePrompt : public ::testing::Test {
protected:
  SF_ScriptedDialog dialog;
  SF_FilePrompt prompt{dialog};
};

TEST_F(FilePrompt, NothingSetShowsOpenDialogWithBareTypeEntryAndEmptyName) {
  dialog.cancel();
  EXPECT_EQ(prompt.getFile(), SF_FILE_CANCEL);
  ASSERT_EQ(dialog.showings().size(), 1u);
  const auto& s = dialog.lastShowing();
  EXPECT_EQ(s.kind, Kind::Open);
  EXPECT_EQ(s.filter, " (*.)|*.|All Files (*.*)|*.*");
  EXPECT_EQ(s.filterIndex, 1);
  EXPECT_EQ(s.initDir, cwd());
  EXPECT_EQ(s.fileName, "");
  EXPECT_EQ(s.flags, 0x81004u);
  EXPECT_EQ(s.maxFileSize, SF_ScriptedDialog::defaultMaxFileSize);
  EXPECT_EQ(prompt.Directory(), "");
  EXPECT_TRUE(prompt.FileName().empty());
}

TEST_F(FilePrompt, ReadOneFileGivesDirectoryWithSeparatorAndBareName) {
  prompt.OpenMode(SF_READ);
  prompt.FilePrompt("Noise Limit Criteria File");
  prompt.FileSuffix("cri");
  dialog.chooseFile(sep + "data" + sep + "run1.cri");
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  EXPECT_EQ(dialog.lastShowing().filter, "Noise Limit Criteria File (*.cri)|*.cri|All Files (*.*)|*.*");
  EXPECT_EQ(prompt.Directory(), sep + "data" + sep);
  EXPECT_EQ(prompt.FileName(), Names{"run1.cri"});
  EXPECT_EQ(prompt.FileName(1), "run1.cri");
  EXPECT_EQ(prompt.FileName(2), "");
  EXPECT_EQ(prompt.Directory() + prompt.FileName(1), sep + "data" + sep + "run1.cri");
}

TEST_F(FilePrompt, WriteModeShowsSaveDialogWithOverwriteQuestionAndDefaultName) {
  prompt.OpenMode(SF_WRITE);
  prompt.FilePrompt("Case File");
  prompt.FileSuffix("cas");
  prompt.FileDefault("site.cas");
  dialog.chooseFile(sep + "cases" + sep + "site.cas");
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  const auto& s = dialog.lastShowing();
  EXPECT_EQ(s.kind, Kind::Save);
  EXPECT_EQ(s.flags, 0x80006u);
  EXPECT_TRUE(s.flags & SF_OFN_OVERWRITEPROMPT);
  EXPECT_EQ(s.fileName, "site.cas");
  EXPECT_EQ(prompt.Directory(), sep + "cases" + sep);
  EXPECT_EQ(prompt.FileName(), Names{"site.cas"});
}

TEST_F(FilePrompt, ModeOtherThanReadCountsAsWrite) {
  prompt.OpenMode(static_cast<SF_FileMode>(7));
  dialog.cancel();
  prompt.getFile();
  EXPECT_EQ(dialog.lastShowing().kind, Kind::Save);
}

TEST_F(FilePrompt, SeveralFilesKeepTheDialogsOrderAndWidenTheNameBuffer) {
  prompt.MultipleFiles(true);
  dialog.chooseFiles(sep + "runs", {"c.sth", "a.sth", "b.sth"});
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  EXPECT_EQ(dialog.lastShowing().flags, 0x81204u);
  EXPECT_EQ(dialog.lastShowing().maxFileSize, 32000);
  EXPECT_EQ(prompt.Directory(), sep + "runs" + sep);
  EXPECT_EQ(prompt.FileName(), (Names{"c.sth", "a.sth", "b.sth"}));

  // One file in the same dialog comes back as a full path and its title.
  dialog.chooseFiles(sep + "runs", {"only.sth"});
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  EXPECT_EQ(prompt.Directory(), sep + "runs" + sep);
  EXPECT_EQ(prompt.FileName(), Names{"only.sth"});

  prompt.OpenMode(SF_WRITE);
  dialog.cancel();
  prompt.getFile();
  EXPECT_EQ(dialog.lastShowing().flags, 0x80206u);
}

TEST_F(FilePrompt, RootDirectoryIsNotGivenASecondSeparator) {
  dialog.chooseFiles(sep, {"a", "b"});
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  EXPECT_EQ(prompt.Directory(), sep);
}

TEST_F(FilePrompt, CancelAndMalformedAnswersKeepThePreviousChoice) {
  dialog.chooseFile(sep + "keep" + sep + "me.cas");
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);

  dialog.cancel();
  dialog.answerRaw("", "");                                  // empty answer
  dialog.answerRaw(sep + "x" + sep + "a.cas", "b.cas");       // title not at the end
  dialog.answerRaw("a.cas", "a.cas");                         // no directory at all
  dialog.answerRaw(sep + "x" + sep + "a.cas", "");            // no title
  dialog.answerRaw(sep + "x" + std::string(1, '\0') + std::string(1, '\0') + "b", "");  // empty name
  for (int i = 0; i < 6; ++i) EXPECT_EQ(prompt.getFile(), SF_FILE_CANCEL) << "answer " << i;
  EXPECT_EQ(prompt.getFile(), SF_FILE_CANCEL);  // script exhausted: the dialog is cancelled
  EXPECT_EQ(prompt.Directory(), sep + "keep" + sep);
  EXPECT_EQ(prompt.FileName(), Names{"me.cas"});
}

TEST_F(FilePrompt, CsvPromptSettingsStayForTheNextCall) {
  dialog.cancel();
  EXPECT_EQ(prompt.getCSVFile(SF_WRITE, false), SF_FILE_CANCEL);
  dialog.cancel();
  prompt.getFile();
  const auto& s = dialog.lastShowing();
  EXPECT_EQ(s.filter, "Comma Delimited Files (*.CSV)|*.CSV|All Files (*.*)|*.*");
  EXPECT_EQ(s.kind, Kind::Save);
  EXPECT_EQ(s.flags, 0x80006u);
}

TEST_F(FilePrompt, DirectoryListsItsFilesWhenStarStarIsLeftInTheNameBox) {
  TempDir dir;
  TempDir::write(dir.file("b.sth"), "x");
  TempDir::write(dir.file("A.sth"), "x");
  TempDir::write(dir.file("c.txt"), "x");
  TempDir::write(dir.file(".hidden"), "x");
  std::filesystem::create_directory(dir.path() / "sub");

  prompt.FilePrompt("Case File");
  prompt.FileSuffix("cas");
  dialog.answerRaw(dir.path().string() + sep + "*.*", "");
  ASSERT_EQ(prompt.getDirectory(), SF_FILE_OK);
  const auto& s = dialog.lastShowing();
  EXPECT_EQ(s.kind, Kind::Open);
  EXPECT_EQ(s.flags, 0x80904u);
  EXPECT_EQ(s.fileName, "*.*");
  EXPECT_EQ(s.maxFileSize, 32000);
  EXPECT_EQ(s.initDir, cwd());
  EXPECT_EQ(prompt.Directory(), dir.path().string() + sep);
  EXPECT_EQ(prompt.FileName(), (Names{"A.sth", "b.sth", "c.txt"}));

  // Picking a file in the folder gives the same folder.
  dialog.answerRaw(dir.path().string() + sep + "b.sth", "b.sth");
  ASSERT_EQ(prompt.getDirectory(), SF_FILE_OK);
  EXPECT_EQ(prompt.Directory(), dir.path().string() + sep);
  EXPECT_EQ(prompt.FileName().size(), 3u);
}

TEST_F(FilePrompt, EmptyFolderIsOkWithNoNames) {
  TempDir dir;
  dialog.answerRaw(dir.path().string() + sep + "*.*", "*.*");
  ASSERT_EQ(prompt.getDirectory(), SF_FILE_OK);
  EXPECT_TRUE(prompt.FileName().empty());
}

TEST_F(FilePrompt, DirectoryFailuresCancel) {
  dialog.chooseFile(sep + "keep" + sep + "me.cas");
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  TempDir dir;
  dialog.cancel();
  dialog.answerRaw("*.*", "");                                           // no directory left
  dialog.answerRaw((dir.path() / "missing").string() + sep + "*.*", "");  // listing fails
  for (int i = 0; i < 3; ++i) EXPECT_EQ(prompt.getDirectory(), SF_FILE_CANCEL) << "answer " << i;
  EXPECT_EQ(prompt.Directory(), sep + "keep" + sep);
  EXPECT_EQ(prompt.FileName(), Names{"me.cas"});
}

}  // namespace
