// Files that are not what a reader expects: a directory, a file that goes
// away between two reads, lines of a megabyte, descriptions with NUL and
// high bytes. Each reader answers with its status and keeps what it had.

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SF_DataASCII.h"
#include "SF_DataGTH.h"
#include "SF_DataHP3565.h"
#include "SF_DataINI.h"
#include "SF_DataMIC.h"
#include "SF_DataMask.h"
#include "SF_DataPTH.h"
#include "SF_DataSPC.h"
#include "SF_DataSSR.h"
#include "SF_DataSTH.h"
#include "SF_DataTSPI.h"
#include "SF_MessageHandler.h"
#include "casefile/cCaseFile.h"
#include "criteria/cCriteriaFile.h"
#include "equipment/mEquipmentListFile.h"
#include "study/cEquipment.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "EveryReader.h"
#include "HostileSupport.h"

namespace {

namespace fs = std::filesystem;

struct RecordingHandler : SF_MessageHandler {
  void showError(const std::string&, const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

}  // namespace

TEST(HostileFiles, ADirectoryIsNotReadAsAFile) {
  TempDir dir;
  fs::create_directory(dir.file("looks like a file.sth"));
  for (const auto& [name, read] : everyReader()) EXPECT_FALSE(read(dir.file("looks like a file.sth"))) << name;
  for (const auto& [name, read] : everyReader()) EXPECT_FALSE(read(dir.file("missing.sth"))) << name;
}

TEST(HostileFiles, ParseAscOfADirectoryOrMissingFileFails) {
  TempDir dir;
  fs::create_directory(dir.file("EV.ASC"));
  SF_DataHP3565 hp;
  RecordingHandler quiet;
  hp.MessageHandler(&quiet);
  SF_SpectralTimeHistory history;
  EXPECT_FALSE(hp.ParseASC(dir.path().string() + "/", "EV", nullptr, history));
  EXPECT_FALSE(hp.ParseASC(dir.path().string() + "/", "NONE", nullptr, history));
  EXPECT_EQ(history.Count(), 0);
}

// A file that was there when its directory was listed but is gone (or has
// become a directory) when it is read.
TEST(HostileFiles, RecordingListingsGoneBeforeTheyAreReadAreReported) {
  TempDir dir;
  const std::string path = dir.path().string() + "/";
  SF_DataHP3565 hp;
  RecordingHandler handler;
  hp.MessageHandler(&handler);
  std::vector<std::string> events;
  std::map<std::string, std::shared_ptr<SF_Time>> starts;
  double rate = 0;
  fs::create_directory(dir.file("INDEX"));
  EXPECT_FALSE(hp.readDirectory(path, {"INDEX", "TIMEDAT", "A.DAT"}, events, starts, rate));
  EXPECT_EQ(handler.texts, std::vector<std::string>{"Problem reading INDEX file."});
}

TEST(HostileFiles, AFileDeletedBetweenTwoReadsKeepsTheFirstRead) {
  TempDir dir;
  const std::string path = dir.file("two.sth");
  TempDir::write(path, goldenFile("sth_three.sth"));
  SF_DataSTH sth;
  std::vector<std::string> raw;
  ASSERT_TRUE(sth.getRawHeader(path, raw));
  std::shared_ptr<SF_HeaderSTH> header;
  std::shared_ptr<SF_SpectralTimeHistory> history;
  ASSERT_EQ(sth.readFile(path, header, history), SF_DATA_OK);
  const auto firstHeader = header;
  const auto firstHistory = history;
  fs::remove(path);
  EXPECT_EQ(sth.readFile(path, header, history), SF_DATA_FILE_ERROR);
  EXPECT_EQ(header, firstHeader);
  EXPECT_EQ(history, firstHistory);
  EXPECT_EQ(history->Count(), 3);

  SF_DataASCII ascii;
  TempDir::write(path, "one\r\ntwo\r\n");
  ASSERT_EQ(ascii.readLines(path), SF_DATA_OK);
  fs::remove(path);
  EXPECT_EQ(ascii.readLines(path), SF_DATA_FILE_ERROR);
  EXPECT_EQ(ascii.Lines(), (std::vector<std::string>{"one", "two"}));

  SF_DataINI ini;
  TempDir::write(path, goldenFile("ini_full.ini"));
  ASSERT_EQ(ini.readFile(path), SF_DATA_OK);
  fs::remove(path);
  EXPECT_EQ(ini.readFile(path), SF_DATA_FILE_ERROR);
  EXPECT_EQ(ini.HiRec(), 240);
  EXPECT_EQ(ini.Comments().size(), 2u);
}

TEST(HostileFiles, ACaseFileDeletedBeforeItIsOpenedAgainLeavesTheStudy) {
  TempDir dir;
  const std::string path = dir.file("c.cas");
  fs::copy_file(std::string(VORN_SOURCE_DIR) + "/tests/casefile/data/studyC.cas", path);
  cStudy study;
  cScriptedMessageService messages;
  study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
  cCaseFile caseFile(study);
  study.caseFileOpen = [&] { return caseFile.bCaseOpen; };
  ASSERT_TRUE(caseFile.openCaseAt(dir.path().string() + "/", "c.cas"));
  const auto lines = caseFile.buildCaseLines();
  fs::remove(path);
  EXPECT_FALSE(caseFile.readCaseFile(path));
  EXPECT_EQ(caseFile.buildCaseLines(), lines);
  EXPECT_FALSE(caseFile.openCaseAt(dir.path().string() + "/", "c.cas"));
  ASSERT_FALSE(messages.messages().empty());
  EXPECT_EQ(messages.messages().back().text, "Problem reading case file.");
  EXPECT_FALSE(caseFile.bCaseOpen);
  EXPECT_EQ(caseFile.buildCaseLines(), lines);
}

// Lines longer than the reader's 1 MiB buffer, with a CR LF split across two
// buffers, come back whole and are not counted twice.
TEST(HostileFiles, MegabyteLinesAreReadWhole) {
  TempDir dir;
  const std::string path = dir.file("long.txt");
  const std::size_t chunk = std::size_t{1} << 20;
  const std::string first(chunk - 1, 'a');  // its CR ends the first buffer, its LF starts the next
  const std::string second(3 * chunk + 17, '\xE9');
  TempDir::write(path, first + "\r\n" + second + "\rlast");
  SF_DataASCII ascii;
  ASSERT_EQ(ascii.readLines(path), SF_DATA_OK);
  ASSERT_EQ(ascii.Lines().size(), 3u);
  EXPECT_EQ(ascii.Lines()[0], first);
  EXPECT_EQ(ascii.Lines()[1], second);
  EXPECT_EQ(ascii.Lines()[2], "last");

  // In every reader a megabyte of garbage in place of the file-type line is
  // refused, not a hang. (INI files are read by keyword and have no type line.)
  const std::string junk(chunk + 5, 'x');
  for (const char* golden : {"sth_three.sth", "pth_two.pth", "gth_two.gth", "mic_one.mic", "mask_two.msk",
                             "ssr_20_30.ssr", "spc_three.spc"}) {
    std::string bytes = goldenFile(golden);
    const auto lineEnd = bytes.find("\r\n");
    bytes.replace(0, lineEnd, junk);
    TempDir::write(path, bytes);
    for (const auto& [name, read] : everyReader()) {
      if (name == "readLines" || name == "readFields" || name == "INI") continue;
      EXPECT_FALSE(read(path)) << golden << " by " << name;
    }
  }
}

// Descriptions are stored byte for byte: NUL, control bytes, bytes 0x80 to
// 0xFF and commas come back as written. (The field splitter drops double
// quotes and turns "|" into the delimiter by design, so those two are not
// tried here.)
TEST(HostileFiles, DescriptionsWithAnyBytesRoundTripInCaseFiles) {
  std::string every;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n' && b != '"' && b != '|') every += static_cast<char>(b);
  const std::vector<std::string> descriptions = {every, std::string("\0\0", 2), "\x80\xFF\xFE", "a, b,, c",
                                                 std::string(1 << 20, '\xC3') + ","};
  TempDir dir;
  for (const auto& text : descriptions) {
    cStudy study;
    cCaseFile caseFile(study);
    ASSERT_TRUE(caseFile.readCaseFile(std::string(VORN_SOURCE_DIR) + "/tests/casefile/data/studyC.cas"));
    study.caseDescription = text;
    study.colEquipment[0]->description = text;
    study.colReceptors[0]->description = text;
    const std::string path = dir.file("bytes.cas");
    ASSERT_EQ(caseFile.writeCaseFile(path), SF_DATA_OK);
    cStudy back;
    cCaseFile backFile(back);
    ASSERT_TRUE(backFile.readCaseFile(path)) << text.size();
    EXPECT_EQ(back.caseDescription, text);
    EXPECT_EQ(back.colEquipment[0]->description, text);
    EXPECT_EQ(back.colReceptors[0]->description, text);
    EXPECT_EQ(backFile.buildCaseLines(), caseFile.buildCaseLines());
  }
}

TEST(HostileFiles, DescriptionsWithAnyBytesRoundTripInEquipmentLists) {
  std::string every;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n' && b != '"' && b != '|') every += static_cast<char>(b);
  TempDir dir;
  for (const std::string& text : {every, std::string("\0x", 2), std::string("\x80\xFF"), std::string("a,,b")}) {
    auto e = std::make_shared<cEquipmentRecord>();
    e->description = text;
    e->usage = 40.0f;
    e->spec_lmax = 80.0f;
    e->actual_lmax = 77.5f;
    const std::string path = dir.file("bytes.equ");
    ASSERT_EQ(writeEquipmentList({e}, path, "01/02/2026"), SF_DATA_OK);
    SF_FieldTable rows;
    ASSERT_EQ(readEquipmentListFields(path, rows), SF_DATA_OK);
    EquipmentList list;
    ASSERT_TRUE(cEquipment::loadList(rows, list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->description, text);
    EXPECT_EQ(list[0]->actual_lmax, 77.5f);
  }
}
