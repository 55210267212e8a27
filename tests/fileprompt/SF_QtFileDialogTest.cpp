#include "SF_QtFileDialog.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QListView>
#include <QPushButton>
#include <gtest/gtest.h>

#include "SF_FilePrompt.h"
#include "tests/app/QtTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

// Runs the prompt from inside the directory, as the program starts it from
// the working directory.
class QtFileDialog : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    saved_ = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
  }
  void TearDown() override { std::filesystem::current_path(saved_); }

  static bool typeName(QWidget* modal, const QString& name) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return false;
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit) return false;
    // A name typed after a refused one replaces the selection the dialog made.
    if (auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"))) list->clearSelection();
    edit->setText(name);
    static_cast<QDialog*>(dialog)->accept();
    return true;
  }
  static bool answerBox(QWidget* modal, QMessageBox::StandardButton button) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box || !box->button(button)) return false;
    box->button(button)->click();
    return true;
  }

  TempDir dir;
  SF_QtFileDialog dialog;
  SF_FilePrompt prompt{dialog};
  std::filesystem::path saved_;
};

TEST(QtNameFilters, TypeListBecomesQtFiltersWithAllFilesMatchingEverything) {
  EXPECT_EQ(SF_QtFileDialog::nameFilters("Case File (*.cas)|*.cas|All Files (*.*)|*.*"),
            (QStringList{"Case File (*.cas)", "All Files (*)"}));
  EXPECT_EQ(SF_QtFileDialog::nameFilters("Pictures|*.bmp;*.gif"), QStringList{"Pictures (*.bmp *.gif)"});
  EXPECT_EQ(SF_QtFileDialog::nameFilters("Caf\xe9 \x80 (*.x)|*.x"), QStringList{QString::fromUtf8("Café € (*.x)")});
}

TEST_F(QtFileDialog, OpensAnExistingFileAndShowsTheTypeListFirstEntry) {
  TempDir::write(dir.file("site.cas"), "x");
  prompt.FilePrompt("Case File");
  prompt.FileSuffix("cas");
  QString selectedFilter;
  QString shownDirectory;
  ModalDriver driver;
  driver.then([&](QWidget* modal) {
    auto* d = qobject_cast<QFileDialog*>(modal);
    if (!d) return false;
    selectedFilter = d->selectedNameFilter();
    shownDirectory = d->directory().absolutePath();
    return typeName(modal, "site.cas");
  });
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  EXPECT_TRUE(driver.allStepsTaken());
  EXPECT_EQ(selectedFilter, "Case File (*.cas)");
  EXPECT_EQ(shownDirectory, QString::fromStdString(std::filesystem::canonical(dir.path()).string()));
  EXPECT_EQ(std::filesystem::canonical(prompt.Directory()), std::filesystem::canonical(dir.path()));
  EXPECT_EQ(prompt.Directory().back(), '/');
  EXPECT_EQ(prompt.FileName(), Names{"site.cas"});
}

TEST_F(QtFileDialog, OpenRefusesAMissingNameAndCancelGivesCancel) {
  prompt.FilePrompt("Case File");
  prompt.FileSuffix("cas");
  bool refused = false;
  ModalDriver driver;
  driver.then([&](QWidget* m) { return typeName(m, "missing.cas"); });
  driver.then([&](QWidget* m) { return refused = answerBox(m, QMessageBox::Ok); });
  driver.then([&](QWidget* m) {
    auto* d = qobject_cast<QFileDialog*>(m);
    if (d) d->reject();
    return d != nullptr;
  });
  EXPECT_EQ(prompt.getFile(), SF_FILE_CANCEL);
  EXPECT_TRUE(refused);
  EXPECT_TRUE(driver.allStepsTaken());
  EXPECT_EQ(driver.rejectedUnexpected(), 0);
}

TEST_F(QtFileDialog, SaveAsksBeforeOverwritingAndAddsTheSuffix) {
  TempDir::write(dir.file("old.txt"), "x");
  prompt.OpenMode(SF_WRITE);
  prompt.FilePrompt("Report File");
  prompt.FileSuffix("txt");
  bool asked = false;
  ModalDriver driver;
  driver.then([&](QWidget* m) { return typeName(m, "old.txt"); });
  driver.then([&](QWidget* m) { return asked = answerBox(m, QMessageBox::No); });
  driver.then([&](QWidget* m) { return typeName(m, "new"); });
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  EXPECT_TRUE(asked);
  EXPECT_EQ(prompt.FileName(), Names{"new.txt"});
  EXPECT_EQ(driver.rejectedUnexpected(), 0);
}

TEST_F(QtFileDialog, SeveralFilesComeBackAsBareNames) {
  TempDir::write(dir.file("a.sth"), "x");
  TempDir::write(dir.file("b.sth"), "x");
  prompt.MultipleFiles(true);
  prompt.FileSuffix("sth");
  ModalDriver driver;
  driver.then([&](QWidget* m) { return typeName(m, "\"a.sth\" \"b.sth\""); });
  ASSERT_EQ(prompt.getFile(), SF_FILE_OK);
  EXPECT_EQ(std::filesystem::canonical(prompt.Directory()), std::filesystem::canonical(dir.path()));
  auto names = prompt.FileName();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Names{"a.sth", "b.sth"}));
}

TEST_F(QtFileDialog, DirectoryChoiceListsTheFolder) {
  std::filesystem::create_directory(dir.path() / "runs");
  TempDir::write(dir.file("runs/r1.sth"), "x");
  ModalDriver driver;
  driver.then([&](QWidget* m) { return typeName(m, "runs"); });
  ASSERT_EQ(prompt.getDirectory(), SF_FILE_OK);
  EXPECT_EQ(std::filesystem::canonical(prompt.Directory()), std::filesystem::canonical(dir.path() / "runs"));
  EXPECT_EQ(prompt.Directory().back(), '/');
  EXPECT_EQ(prompt.FileName(), Names{"r1.sth"});
}

}  // namespace
