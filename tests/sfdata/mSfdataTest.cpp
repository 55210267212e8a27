#include "sfdata/mSfdata.h"

#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

#include "SF_DataSPC.h"
#include "SF_DataSTH.h"
#include "sfdata/cProgressLine.h"
#include "../datalib/FormatTestSupport.h"
#include "../datalib/MeasuredRunSupport.h"

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

Outcome sfdata(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  Outcome r;
  r.status = mSfdata::main(args, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

class SfdataOnARun : public testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(writeRun(path, *eveningIntoNight())); }
  TempDir dir;
  const std::string path = dir.file("ambient.sth");
};

}  // namespace

TEST_F(SfdataOnARun, LevelsPerDefaultPeriodAsCommaDelimitedText) {
  const Outcome r = sfdata({"levels", path, "--format", "csv"});
  EXPECT_EQ(r.out,
            "Period,Start,End,Seconds,Leq,Lmax,Lmin,L10,L50,L90,SEL\n"
            "Day,07:00,19:00,0.0,,,,,,,\n"
            "Evening,19:00,22:00,3600.0,55.0,55.0,55.0,55.0,55.0,55.0,90.6\n"
            "Night,22:00,07:00,10800.0,43.5,45.0,35.0,45.0,45.0,35.0,83.8\n");
  EXPECT_EQ(r.status, mSfdata::exitNothingToReport);  // nothing by day
  EXPECT_EQ(r.err, "sfdata: " + path + ": no record falls in the period Day\n");
}

TEST_F(SfdataOnARun, WholeRunOrOwnPeriodsWithChosenLnAndWeighting) {
  Outcome r = sfdata({"levels", path, "--periods", "whole", "--ln", "5,95", "--format=csv"});
  EXPECT_EQ(r.status, mSfdata::exitDone) << r.err;
  EXPECT_EQ(r.out,
            "Period,Start,End,Seconds,Leq,Lmax,Lmin,L5,L95,SEL\n"
            "Whole,21:00:00,01:00:00,14400.0,49.8,55.0,35.0,55.0,35.0,91.4\n");

  r = sfdata({"levels", path, "--periods", "Late=23:00-24:00,Small hours=00:00-01:00", "--weighting", "c"});
  EXPECT_EQ(r.status, mSfdata::exitDone) << r.err;
  EXPECT_EQ(r.out,
            "File: " + path + "\nWeighting: C\n\n"
            "Period       Start    End  Seconds   Leq  Lmax  Lmin   L10   L50   L90   SEL\n"
            "Late         23:00  24:00   3600.0  45.0  45.0  45.0  45.0  45.0  45.0  80.6\n"
            "Small hours  00:00  01:00   3600.0  35.0  35.0  35.0  35.0  35.0  35.0  70.6\n");
}

TEST_F(SfdataOnARun, InfoTellsWhatTheFileHolds) {
  const Outcome r = sfdata({"info", path});
  EXPECT_EQ(r.status, mSfdata::exitDone) << r.err;
  EXPECT_EQ(r.out, "File: " + path +
                       "\nFormat: Spectral Time-History\nRecords: 28800 (numbers 1 to 28800)\nRecord length: 0.5 s\n"
                       "Start: 21:00:00\nEnd: 01:00:00\nDuration: 14400.0 s over 2 days\nBands: 30 to 30 (1kHz to 1kHz)\n"
                       "Metrics: none\nAveraging: LINEAR\nTime stamps: START\nProject: Quarry Road\nMicrophone: M1\n");
}

TEST_F(SfdataOnARun, WrongArgumentsAndUnreadableFilesEndWithStatus2) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"levels"},
      {"measure", path},
      {"levels", path, "--weighting", "B"},
      {"levels", path, "--periods", "Day=7-19"},
      {"levels", path, "--ln", "0"},
      {"levels", path, "--format", "xml"},
      {"info", path, "--ln", "10"},
      {"convert", path, dir.file("out.txt")},
      {"levels", dir.file("missing.sth")},
      {"import-analyzer", dir.file("no-such-dir"), dir.file("out.sth")},
  };
  for (const auto& args : cases) {
    const Outcome r = sfdata(args);
    EXPECT_EQ(r.status, mSfdata::exitCannotRun) << testing::PrintToString(args);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("sfdata: ", 0), 0u) << r.err;
  }
  EXPECT_EQ(sfdata({"levels", dir.file("missing.sth")}).err,
            "sfdata: " + dir.file("missing.sth") + ": cannot be opened for reading\n");
  const Outcome help = sfdata({"--help"});
  EXPECT_EQ(help.status, mSfdata::exitDone);
  EXPECT_EQ(help.out, mSfdata::usage());
}

TEST(SfdataConvert, BothWaysByteIdenticalToTheLibraryWriters) {
  FixedClock clock;
  TempDir dir;
  auto run = measuredRun(36000, 3, [](int i) { return 50.0 + i; });
  const std::string sth = dir.file("three.sth");
  ASSERT_TRUE(writeRun(sth, *run));

  // Spectral time history to fixed-column, named by content: the input's name says nothing.
  const std::string disguised = dir.file("three.dat");
  std::filesystem::copy_file(sth, disguised);
  ASSERT_EQ(sfdata({"convert", disguised, dir.file("three.spc")}).status, mSfdata::exitDone);
  ASSERT_EQ(SF_DataSPC().writeFile(dir.file("expected.spc"), *run), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("three.spc")), TempDir::read(dir.file("expected.spc")));

  // And back, through --to.
  ASSERT_EQ(sfdata({"convert", dir.file("three.spc"), dir.file("back.out"), "--to", "sth"}).status, mSfdata::exitDone);
  std::shared_ptr<SF_SpectralTimeHistory> read;
  SF_DataSPC spc;
  ASSERT_EQ(spc.readFile(dir.file("three.spc"), read), SF_DATA_OK);
  auto header = std::make_shared<SF_HeaderSTH>();
  header->sGeneratedBy = "sfdata";
  header->sGenerationFile = dir.file("three.spc");
  TempDir expected;  // the file name is written into the file
  ASSERT_EQ(SF_DataSTH().writeFile(expected.file("back.out"), header, *read), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("back.out")), TempDir::read(expected.file("back.out")));
}

namespace {

std::string padded(std::string text, std::size_t width) {
  text.resize(std::max(width, text.size()), ' ');
  return text;
}

std::string crlfLines(const std::vector<std::string>& ls) {
  std::string out;
  for (const auto& l : ls) out += l + "\r\n";
  return out;
}

// An analyzer event's ".ASC" text of n spectra over bands 10 to 42 at powers
// 10^(level/10) · 2 (so each band reads level + 3.01 - 3.01 dB).
std::string ascFile(int n, double level) {
  std::vector<std::string> ls(184 + static_cast<std::size_t>(n), "filler");
  ls[38] = padded("", 34) + "A";
  ls[44] = padded("", 30) + "25600";
  ls[77] = padded("", 30) + "    5.0";
  ls[175] = padded("", 30) + std::to_string(n);
  char value[64];
  std::snprintf(value, sizeof value, "  %.9e", std::pow(10.0, (level + 3.01) / 10.0));
  for (int s = 1; s <= n; ++s) {
    ls.push_back("block");
    ls.push_back("");
    for (int b = 10; b <= 42; ++b) ls.push_back(value);
    ls.push_back("end block");
  }
  return crlfLines(ls);
}

}  // namespace

TEST(SfdataImportAnalyzer, EventsInStartOrderBecomeOneRun) {
  FixedClock clock;
  TempDir rec, out;
  std::vector<std::string> index;
  for (int i = 1; i <= 12; ++i) index.push_back(padded(i == 8 ? "   2.0 spectra/s" : "header", 50));
  for (const char* e : {"LATE", "EARLY", "END"}) index.push_back(padded(padded(e, 20) + " event", 50));
  TempDir::write(rec.file("INDEX"), crlfLines(index));
  TempDir::write(rec.file("TIMEDAT"), crlfLines({padded("LATE", 20) + "120000.000", padded("EARLY", 20) + "100000.000"}));
  TempDir::write(rec.file("LATE.DAT"), "dat");
  TempDir::write(rec.file("EARLY.DAT"), "dat");
  TempDir::write(rec.file("LATE.ASC"), ascFile(2, 70.0));
  TempDir::write(rec.file("EARLY.ASC"), ascFile(3, 50.0));

  const Outcome r = sfdata({"import-analyzer", rec.path().string(), out.file("run.sth")});
  ASSERT_EQ(r.status, mSfdata::exitDone) << r.err;
  EXPECT_EQ(r.err, "");
  std::shared_ptr<SF_HeaderSTH> header;
  std::shared_ptr<SF_SpectralTimeHistory> run;
  ASSERT_EQ(SF_DataSTH().readFile(out.file("run.sth"), header, run), SF_DATA_OK);
  ASSERT_EQ(run->Count(), 5);
  EXPECT_EQ(run->startTime()->TODstring(), "10:00:00");
  EXPECT_EQ(run->spectrum(3)->Time()->TODstring(), "10:00:01");
  EXPECT_EQ(run->spectrum(4)->Time()->TODstring(), "12:00:00");
  EXPECT_EQ(run->spectrum(4)->Time()->RelSeconds(), 7200.0);
  EXPECT_NEAR(run->spectrum(1)->SPL(17), 50.0, 0.005);
  EXPECT_NEAR(run->spectrum(5)->SPL(40), 70.0, 0.005);
  EXPECT_EQ(header->cCommentLines, (std::vector<std::string>{"Event EARLY from 10:00:00, records 1 to 3",
                                                             "Event LATE from 12:00:00, records 4 to 5"}));

  std::filesystem::remove(rec.file("LATE.ASC"));
  const Outcome missing = sfdata({"import-analyzer", rec.path().string(), out.file("again.sth")});
  EXPECT_EQ(missing.status, mSfdata::exitCannotRun);
  EXPECT_NE(missing.err.find("event LATE has no .ASC file"), std::string::npos) << missing.err;
}

TEST(SfdataProgress, SilentForTheFirstSecondThenOneLineEndedWhenDone) {
  double now = 0;
  std::ostringstream err;
  {
    cProgressLine line(err, "reading run.sth", [&] { return now; });
    line.update(0.2);
    now = 0.9;
    line.update(0.5);
    EXPECT_EQ(err.str(), "");
    now = 1.2;
    line.update(0.6);
    line.update(0.604);  // same percentage: nothing new
    line.update(1.0);
  }
  EXPECT_EQ(err.str(), "\rsfdata: reading run.sth 60%\rsfdata: reading run.sth 100%\n");
}
