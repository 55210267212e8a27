// The analyzer recording's listings and spectrum texts with counts and
// numbers they should never hold: the import says so and builds nothing.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SF_DataHP3565.h"
#include "SF_MessageHandler.h"
#include "HostileSupport.h"

namespace {

struct RecordingHandler : SF_MessageHandler {
  void showError(const std::string&, const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

std::string padded(std::string text, std::size_t width) {
  text.resize(std::max(width, text.size()), ' ');
  return text;
}

// INDEX: twelve header lines of 50 columns, the rate in columns 1-6 of line 8,
// then one line per event and END.
std::string indexFile(const std::string& rate) {
  std::vector<std::string> ls;
  for (int i = 1; i <= 12; ++i) ls.push_back(padded(i == 8 ? rate + " spectra/s" : "header " + std::to_string(i), 50));
  ls.push_back(padded(padded("A", 20) + " event data", 50));
  ls.push_back(padded("END", 50));
  return crlfLines(ls);
}

// An ".ASC" text announcing count spectra on line 176, with lines for
// blocks spectra of bands 10 to 42.
std::string ascFile(const std::string& count, int blocks, const std::string& level = "  1.000000e+03") {
  std::vector<std::string> ls(184, "filler");
  ls[38] = padded("", 34) + "A";
  ls[44] = padded("", 30) + "25600";
  ls[77] = padded("", 30) + "    5.0";
  ls[175] = padded("", 30) + count;
  for (int s = 0; s < blocks; ++s) ls.push_back("filler");
  for (int s = 1; s <= blocks; ++s) {
    ls.push_back("block");
    ls.push_back("");
    for (int b = 10; b <= 42; ++b) ls.push_back(level);
    ls.push_back("end block");
  }
  return crlfLines(ls);
}

}  // namespace

TEST(HostileAnalyzer, SpectrumCountsPastTheLinesOrPast16BitsFail) {
  TempDir dir;
  const std::string path = dir.path().string() + "/";
  SF_DataHP3565 hp;
  RecordingHandler quiet;
  hp.MessageHandler(&quiet);
  TempDir::write(dir.file("EV.ASC"), ascFile("2", 2));
  SF_SpectralTimeHistory good;
  ASSERT_TRUE(hp.ParseASC(path, "EV", nullptr, good));
  EXPECT_EQ(good.Count(), 2);
  for (const char* count : {"3", "32767", "32768", "99999", "-1", "-2", "nan", "1e4", "2.5"}) {
    TempDir::write(dir.file("EV.ASC"), ascFile(count, 2));
    SF_SpectralTimeHistory history;
    EXPECT_FALSE(hp.ParseASC(path, "EV", nullptr, history)) << count;
    EXPECT_EQ(history.Count(), 0) << count;
  }
}

TEST(HostileAnalyzer, SpectrumValuesThatAreNotPowersFail) {
  TempDir dir;
  const std::string path = dir.path().string() + "/";
  SF_DataHP3565 hp;
  RecordingHandler quiet;
  hp.MessageHandler(&quiet);
  for (const char* level : {"nan", "inf", "-inf", "1e400", "0", "x"}) {
    TempDir::write(dir.file("EV.ASC"), ascFile("1", 1, level));
    SF_SpectralTimeHistory history;
    EXPECT_FALSE(hp.ParseASC(path, "EV", nullptr, history)) << level;
    EXPECT_EQ(history.Count(), 0) << level;
  }
}

TEST(HostileAnalyzer, ListingsWithBadRatesOrTimesAreReported) {
  for (const char* rate : {"   nan", "   inf", "  -inf", "     0", "  -4.0", "1e400 ", "5e-324"}) {
    TempDir dir;
    TempDir::write(dir.file("INDEX"), indexFile(rate));
    TempDir::write(dir.file("TIMEDAT"), crlfLines({padded("A", 20) + "100530.250"}));
    SF_DataHP3565 hp;
    RecordingHandler handler;
    hp.MessageHandler(&handler);
    std::vector<std::string> events;
    std::map<std::string, std::shared_ptr<SF_Time>> starts;
    double perSpectrum = 7.0;
    EXPECT_FALSE(hp.readDirectory(dir.path().string() + "/", {"INDEX", "TIMEDAT", "A.DAT"}, events, starts, perSpectrum))
        << rate;
    EXPECT_EQ(handler.texts, std::vector<std::string>{"Problem reading INDEX file."}) << rate;
    EXPECT_EQ(perSpectrum, 7.0);
  }
  for (const char* time : {"nannan.000", "10infx.000", "1005inf   ", "100530.nan", "10051e+300", "1005-1e300"}) {
    TempDir dir;
    TempDir::write(dir.file("INDEX"), indexFile("  16.0"));
    TempDir::write(dir.file("TIMEDAT"), crlfLines({padded("A", 20) + time}));
    SF_DataHP3565 hp;
    RecordingHandler handler;
    hp.MessageHandler(&handler);
    std::vector<std::string> events;
    std::map<std::string, std::shared_ptr<SF_Time>> starts;
    double perSpectrum = 0;
    EXPECT_FALSE(hp.readDirectory(dir.path().string() + "/", {"INDEX", "TIMEDAT", "A.DAT"}, events, starts, perSpectrum))
        << time;
    EXPECT_EQ(handler.texts, std::vector<std::string>{"Problem reading TIMEDAT file."}) << time;
  }
}
