// A save that fails part-way (the disk fills up, the target is a directory,
// its folder is gone) returns SF_DATA_FILE_ERROR, leaves the previous file
// byte for byte, leaves no scratch file behind and changes nothing in memory
// that a later save would write.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>


#include <gtest/gtest.h>

#include "SF_DataASCII.h"
#include "SF_DataGTH.h"
#include "SF_DataINI.h"
#include "SF_DataMask.h"
#include "SF_DataPTH.h"
#include "SF_DataSPC.h"
#include "SF_DataSSR.h"
#include "SF_DataSTH.h"
#include "casefile/cCaseFile.h"
#include "criteria/cCriteriaFile.h"
#include "equipment/mEquipmentListFile.h"
#include "report/cReport.h"
#include "study/cEquipment.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "BlockedSave.h"
#include "HostileSupport.h"

namespace {

namespace fs = std::filesystem;

const std::string kOld = "the previous file\r\nmust stay whole\r\n";

// A writer of one kind of file: writes its content to a path.
struct Writer {
  std::string what;
  std::function<SF_DataMessage(const std::string&)> write;
};

std::vector<Writer> everyWriter() {
  std::vector<Writer> w;
  w.push_back({"writeLines", [](const std::string& p) {
                 SF_DataASCII a;
                 a.Lines(std::vector<std::string>(50, "a line of text that is long enough"));
                 return a.writeLines(p);
               }});
  w.push_back({"appendLines", [](const std::string& p) {
                 SF_DataASCII a;
                 a.Lines(std::vector<std::string>(50, "a line of text that is long enough"));
                 return a.appendLines(p);
               }});
  w.push_back({"writeFields", [](const std::string& p) {
                 SF_DataASCII a;
                 a.Fields(std::vector<std::vector<std::string>>(50, {"a", "b,c", "d"}));
                 return a.writeFields(p);
               }});
  w.push_back({"appendFields", [](const std::string& p) {
                 SF_DataASCII a;
                 a.CommentFields(true);
                 a.Fields(std::vector<std::vector<std::string>>(50, {"a", "b,c", "d"}));
                 return a.appendFields(p);
               }});
  // The data-library objects are read before any write is made to fail.
  TempDir d;
  for (const char* g : {"sth_three.sth", "pth_two.pth", "gth_two.gth", "mask_two.msk", "ssr_20_30.ssr", "spc_three.spc",
                        "ini_full.ini"})
    TempDir::write(d.file(g), goldenFile(g));
  {
    auto sth = std::make_shared<SF_DataSTH>();
    std::shared_ptr<SF_HeaderSTH> h;
    std::shared_ptr<SF_SpectralTimeHistory> t;
    EXPECT_EQ(sth->readFile(d.file("sth_three.sth"), h, t), SF_DATA_OK);
    w.push_back({"STH", [=](const std::string& p) { return sth->writeFile(p, h, *t); }});
  }
  {
    std::shared_ptr<SF_HeaderPTH> h;
    std::shared_ptr<SF_PositionTimeHistory> t;
    EXPECT_EQ(SF_DataPTH().readFile(d.file("pth_two.pth"), h, t), SF_DATA_OK);
    w.push_back({"PTH", [=](const std::string& p) { return SF_DataPTH().writeFile(p, h, *t); }});
  }
  {
    std::shared_ptr<SF_HeaderGTH> h;
    std::shared_ptr<SF_GeometryTimeHistory> t;
    EXPECT_EQ(SF_DataGTH().readFile(d.file("gth_two.gth"), h, t), SF_DATA_OK);
    w.push_back({"GTH", [=](const std::string& p) { return SF_DataGTH().writeFile(p, h, *t); }});
  }
  {
    std::shared_ptr<SF_HeaderMask> h;
    std::shared_ptr<SF_MaskMap> m;
    EXPECT_EQ(SF_DataMask().readFile(d.file("mask_two.msk"), h, m), SF_DATA_OK);
    w.push_back({"Mask", [=](const std::string& p) { return SF_DataMask().writeFile(p, h, *m); }});
  }
  {
    std::shared_ptr<SF_Spectrum> s;
    std::shared_ptr<SF_HeaderSSR> h;
    EXPECT_EQ(SF_DataSSR().readFile(d.file("ssr_20_30.ssr"), s, &h), SF_DATA_OK);
    w.push_back({"SSR", [=](const std::string& p) { return SF_DataSSR().writeFile(p, h, *s); }});
  }
  {
    auto spc = std::make_shared<SF_DataSPC>();
    std::shared_ptr<SF_SpectralTimeHistory> t;
    EXPECT_EQ(spc->readFile(d.file("spc_three.spc"), t), SF_DATA_OK);
    w.push_back({"SPC", [=](const std::string& p) { return spc->writeFile(p, *t); }});
  }
  {
    auto ini = std::make_shared<SF_DataINI>();
    EXPECT_EQ(ini->readFile(d.file("ini_full.ini")), SF_DATA_OK);
    w.push_back({"INI", [=](const std::string& p) { return ini->writeFile(p); }});
  }
  {
    auto study = std::make_shared<cStudy>();
    auto caseFile = std::make_shared<cCaseFile>(*study);
    EXPECT_TRUE(caseFile->readCaseFile(std::string(VORN_SOURCE_DIR) + "/tests/casefile/data/studyC.cas"));
    w.push_back({"case", [study, caseFile](const std::string& p) { return caseFile->writeCaseFile(p); }});
  }
  w.push_back({"criteria", [](const std::string& p) {
                 cStudy study;
                 return cCriteriaFile(study.NoiseLimits).writeFile(p);
               }});
  w.push_back({"equipment list", [](const std::string& p) {
                 auto e = std::make_shared<cEquipmentRecord>();
                 e->description = "Backhoe";
                 return writeEquipmentList(EquipmentList(20, e), p, "01/02/2026");
               }});
  w.push_back({"report", [](const std::string& p) {
                 cStudy study;
                 return cReport(study).writeReportFile(std::vector<std::string>(40, "Receptor,Lmax,Leq"), p);
               }});
  return w;
}

std::vector<std::string> namesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(FailedSaves, EveryWriterWritesWhenItCan) {
  TempDir dir;
  for (const auto& w : everyWriter()) {
    const std::string path = dir.file(w.what);
    EXPECT_EQ(w.write(path), SF_DATA_OK) << w.what;
    EXPECT_GT(fs::file_size(path), 64u) << w.what;
  }
}

TEST(FailedSaves, ASaveThatCannotFinishLeavesThePreviousFile) {
  TempDir dir;
  for (const auto& w : everyWriter()) {
    const std::string path = dir.file("target");
    TempDir::write(path, kOld);
    SF_DataMessage result = SF_DATA_OK;
    {
      BlockedSave blocked(path);
      ASSERT_TRUE(blocked.holding());
      result = w.write(path);
    }
    EXPECT_EQ(result, SF_DATA_FILE_ERROR) << w.what;
    EXPECT_EQ(TempDir::read(path), kOld) << w.what;
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"target"}) << w.what;
  }
}

TEST(FailedSaves, ADirectoryOrAMissingFolderInTheWayIsAnError) {
  TempDir dir;
  fs::create_directory(dir.file("folder"));
  TempDir::write(dir.file("folder/inside"), kOld);
  for (const auto& w : everyWriter()) {
    EXPECT_EQ(w.write(dir.file("folder")), SF_DATA_FILE_ERROR) << w.what;
    EXPECT_EQ(TempDir::read(dir.file("folder/inside")), kOld) << w.what;
    EXPECT_EQ(w.write(dir.file("gone/target")), SF_DATA_FILE_ERROR) << w.what;
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"folder"}) << w.what;
    EXPECT_EQ(namesIn(dir.path() / "folder"), std::vector<std::string>{"inside"}) << w.what;
  }
}

// Saving a case over its file while the disk is full: the message, the old
// file whole, the case still open under its name with everything in it, so
// that the next Save (with room again) writes it all.
TEST(FailedSaves, AFailedCaseSaveKeepsTheCaseAndItsFile) {
  TempDir dir;
  const std::string path = dir.file("c.cas");
  fs::copy_file(std::string(VORN_SOURCE_DIR) + "/tests/casefile/data/studyC.cas", path);
  const std::string before = TempDir::read(path);
  cStudy study;
  cScriptedMessageService messages;
  study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
  cCaseFile caseFile(study);
  study.caseFileOpen = [&] { return caseFile.bCaseOpen; };
  ASSERT_TRUE(caseFile.openCaseAt(dir.path().string() + "/", "c.cas"));
  study.caseDescription = "changed since it was opened";
  const auto lines = caseFile.buildCaseLines();
  bool saved = true;
  {
    BlockedSave blocked(path);
    saved = caseFile.saveCase();
  }
  EXPECT_FALSE(saved);
  ASSERT_FALSE(messages.messages().empty());
  EXPECT_EQ(messages.messages().back().text, "Problem writing case file.");
  EXPECT_EQ(TempDir::read(path), before);
  EXPECT_TRUE(caseFile.bCaseOpen);
  EXPECT_EQ(caseFile.caseFileName(), "c.cas");
  EXPECT_EQ(caseFile.buildCaseLines(), lines);
  ASSERT_TRUE(caseFile.saveCase());
  cStudy reread;
  ASSERT_TRUE(cCaseFile(reread).readCaseFile(path));
  EXPECT_EQ(reread.caseDescription, "changed since it was opened");
}

// A full disk while writing the default criteria or equipment list keeps the
// tables and the list in memory as they were.
// New files cannot be held open before they exist: the full disk is POSIX's alone.
#ifndef _WIN32
TEST(FailedSaves, FailedCriteriaAndListSavesKeepTheTables) {
  TempDir dir;
  cStudy study;
  cCriteriaFile criteria(study.NoiseLimits);
  ASSERT_TRUE(criteria.readFile(std::string(VORN_SOURCE_DIR) + "/data/default criteria.cri"));
  std::vector<std::string> before;
  criteria.buildOutput(before);
  {
    FailingWrites full(48);
    EXPECT_EQ(criteria.writeFile(dir.file("c.cri")), SF_DATA_FILE_ERROR);
  }
  std::vector<std::string> after;
  criteria.buildOutput(after);
  EXPECT_EQ(after, before);
  EXPECT_FALSE(fs::exists(dir.file("c.cri")));

  SF_FieldTable rows;
  ASSERT_EQ(readEquipmentListFields(std::string(VORN_SOURCE_DIR) + "/data/VORN Equipment List.equ", rows), SF_DATA_OK);
  EquipmentList list;
  ASSERT_TRUE(cEquipment::loadList(rows, list));
  const auto lines = buildEquipmentListLines(list, "01/02/2026");
  {
    FailingWrites full(48);
    EXPECT_EQ(writeEquipmentList(list, dir.file("l.equ"), "01/02/2026"), SF_DATA_FILE_ERROR);
  }
  EXPECT_EQ(buildEquipmentListLines(list, "01/02/2026"), lines);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}
#endif

// A read-only target stands for a file another program holds; root writes
// through file permissions on POSIX, so there this is only tried for other users.
TEST(FailedSaves, AReadOnlyTargetIsLeftAlone) {
  if (!permissionsBindThisUser()) GTEST_SKIP() << "root ignores file permissions";
  TempDir dir;
  for (const auto& w : everyWriter()) {
    const std::string path = dir.file("target");
    TempDir::write(path, kOld);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(w.write(path), SF_DATA_FILE_ERROR) << w.what;
    EXPECT_EQ(TempDir::read(path), kOld) << w.what;
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"target"}) << w.what;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  }
}
