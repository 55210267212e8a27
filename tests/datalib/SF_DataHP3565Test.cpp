#include <chrono>
#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>

#include "SF_DataHP3565.h"
#include "SF_MessageHandler.h"
#include "../support/TempDir.h"

namespace fs = std::filesystem;

// The stand-in programs below are shell scripts; Windows runs its own
// stand-in in SF_ProcessLauncherWindowsTest.cpp.
#ifdef _WIN32
#define SKIP_WITHOUT_SHELL_SCRIPTS() GTEST_SKIP() << "needs /bin/sh"
#else
#define SKIP_WITHOUT_SHELL_SCRIPTS() static_cast<void>(0)
#endif

namespace {

class RecordingHandler : public SF_MessageHandler {
public:
  void showError(const std::string& title, const std::string& text) override {
    titles.push_back(title);
    texts.push_back(text);
  }
  std::vector<std::string> titles;
  std::vector<std::string> texts;
};

std::string padded(std::string text, std::size_t width) {
  text.resize(std::max(width, text.size()), ' ');
  return text;
}

std::string lines(const std::vector<std::string>& ls) {
  std::string out;
  for (const auto& l : ls) out += l + "\r\n";
  return out;
}

// INDEX: 12 long header lines (line 8 carries the rate), then the events and END.
std::string indexFile(const std::vector<std::string>& events, const std::string& rate = "  16.0") {
  std::vector<std::string> ls;
  for (int i = 1; i <= 12; ++i) ls.push_back(padded(i == 8 ? rate + " spectra/s" : "header " + std::to_string(i), 50));
  ls.push_back("short line between");
  for (const auto& e : events) ls.push_back(padded(padded(e, 20) + " event data", 50));
  ls.push_back(padded("END", 50));
  return lines(ls);
}

std::string timedatLine(const std::string& event, const std::string& hhmmss) { return padded(event, 20) + hhmmss; }

struct Recording {
  TempDir dir;
  std::vector<std::string> names;
  void add(const std::string& name, const std::string& bytes) {
    TempDir::write(dir.file(name), bytes);
    names.push_back(name);
  }
  std::string path() const { return dir.path().string() + "/"; }
};

void standardRecording(Recording& r) {
  r.add("INDEX", indexFile({"RUN1", "run2"}));
  r.add("TIMEDAT", lines({timedatLine("RUN1", "100530.250"), timedatLine("run2", "235959.5")}));
  r.add("RUN1.DAT", "dat one");
  r.add("run2.dat", "dat two");
}

}  // namespace

TEST(DataHP3565Directory, CompleteDirectoryGivesEventsStartTimesAndRate) {
  Recording r;
  standardRecording(r);
  SF_DataHP3565 hp;
  RecordingHandler handler;
  hp.MessageHandler(&handler);
  std::vector<std::string> events;
  std::map<std::string, std::shared_ptr<SF_Time>> starts;
  double perSpectrum = 0;
  ASSERT_TRUE(hp.readDirectory(r.path(), r.names, events, starts, perSpectrum));
  EXPECT_TRUE(handler.texts.empty());
  EXPECT_EQ(events, (std::vector<std::string>{"RUN1", "RUN2"}));
  EXPECT_EQ(perSpectrum, 1.0 / 16.0);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts["RUN1"]->TODseconds(), 10 * 3600 + 5 * 60 + 30.25);
  EXPECT_EQ(starts["RUN2"]->TODseconds(), 23 * 3600 + 59 * 60 + 59.5);
}

TEST(DataHP3565Directory, EachIncompletenessHasItsMessage) {
  struct Case {
    std::string index, timedat;
    std::vector<std::string> dats;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"", "", {"A.DAT"}, "INDEX & TIMEDAT files do not exist"},
      {indexFile({"A", "B"}), lines({timedatLine("A", "100000.000"), timedatLine("B", "100000.000")}), {"A.DAT"},
       "No correspoinding DAT file for an INDEX or TIMEDAT event."},
      {indexFile({"A", "B"}), lines({timedatLine("A", "100000.000")}), {"A.DAT", "B.DAT"},
       ".DAT file not listed in INDEX or TIMEDAT file!"},
      {indexFile({"A"}), lines({timedatLine("A", "100000.000")}), {"A.DAT", "B.DAT"},
       ".DAT file not listed in INDEX or TIMEDAT file!"},
      {lines({"too", "short"}), lines({timedatLine("A", "100000.000")}), {"A.DAT"}, "Problem reading INDEX file."},
      {indexFile({"A"}, "  zero"), lines({timedatLine("A", "100000.000")}), {"A.DAT"}, "Problem reading INDEX file."},
      {indexFile({"A"}), "", {"A.DAT"}, "Problem reading TIMEDAT file."},
      {indexFile({"A"}), lines({timedatLine("A", "10xx00.000")}), {"A.DAT"}, "Problem reading TIMEDAT file."},
  };
  for (const auto& c : cases) {
    Recording r;
    if (!c.index.empty()) r.add("INDEX", c.index);
    if (!c.timedat.empty()) r.add("TIMEDAT", c.timedat);
    for (const auto& d : c.dats) r.add(d, "x");
    SF_DataHP3565 hp;
    RecordingHandler handler;
    hp.MessageHandler(&handler);
    std::vector<std::string> events;
    std::map<std::string, std::shared_ptr<SF_Time>> starts;
    double perSpectrum = 0;
    EXPECT_FALSE(hp.readDirectory(r.path(), r.names, events, starts, perSpectrum)) << c.message;
    EXPECT_EQ(handler.texts, std::vector<std::string>{c.message});
    EXPECT_EQ(handler.titles, std::vector<std::string>{"SF_DataHP3565"});
  }
}

TEST(DataHP3565Directory, InstalledHandlerOrStandardErrorWithoutOne) {
  Recording r;
  r.add("A.DAT", "x");
  SF_DataHP3565 hp;
  std::vector<std::string> events;
  std::map<std::string, std::shared_ptr<SF_Time>> starts;
  double perSpectrum = 0;
  RecordingHandler handler;
  SF_MessageHandler::install(&handler);
  EXPECT_FALSE(hp.readDirectory(r.path(), r.names, events, starts, perSpectrum));
  SF_MessageHandler::install(nullptr);
  EXPECT_EQ(handler.texts, std::vector<std::string>{"INDEX & TIMEDAT files do not exist"});

  testing::internal::CaptureStderr();
  EXPECT_FALSE(hp.readDirectory(r.path(), r.names, events, starts, perSpectrum));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "SF_DataHP3565: INDEX & TIMEDAT files do not exist\n");
}

namespace {

// A stand-in for the analyzer's converter: a shell script under the converter's name.
std::string converterDir(const TempDir& tools, const std::string& body) {
  const std::string path = tools.file("sdfprint.exe");
  TempDir::write(path, "#!/bin/sh\n" + body);
  fs::permissions(path, fs::perms::owner_all);
  return tools.path().string() + "/";
}

struct Conversion {
  Recording r;
  TempDir tools;
  TempDir work;
  SF_DataHP3565 hp;
  RecordingHandler handler;
  Conversion() {
    standardRecording(r);
    hp.MessageHandler(&handler);
  }
  std::string temp() const { return (work.path() / "convert").string() + "/"; }
  bool run(const std::string& body) {
    return hp.DAT_to_ASC(r.path(), temp(), converterDir(tools, body), {"RUN1", "RUN2"});
  }
};

}  // namespace

TEST(DataHP3565Convert, ConverterRunsInTheTempDirectoryWithItsArguments) {
  SKIP_WITHOUT_SHELL_SCRIPTS();
  Conversion c;
  const std::string log = c.tools.file("calls.log");
  ASSERT_TRUE(c.run("echo \"$(pwd)|$*\" >> '" + log + "'\n{ echo converted; cat \"$3\"; } > \"$4\"\n"));
  EXPECT_TRUE(c.handler.texts.empty());
  const std::string cwd = fs::canonical(c.temp()).string();
  EXPECT_EQ(TempDir::read(log), cwd + "|/A /O RUN1.dat RUN1.asc\n" + cwd + "|/A /O RUN2.dat RUN2.asc\n");
  EXPECT_EQ(TempDir::read(c.r.dir.file("RUN1.asc")), "converted\ndat one");
  EXPECT_EQ(TempDir::read(c.r.dir.file("RUN2.asc")), "converted\ndat two");
  EXPECT_TRUE(fs::is_empty(c.temp()));
}

TEST(DataHP3565Convert, ConverterThatNeverWritesRunsIntoTheTimeLimit) {
  SKIP_WITHOUT_SHELL_SCRIPTS();
  Conversion c;
  c.hp.ConversionTimeLimit(0.3);
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(c.run("sleep 30\n"));
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(10));
  EXPECT_EQ(c.handler.texts, std::vector<std::string>{"SDFPRINT did not convert RUN1.dat in time."});
  EXPECT_FALSE(fs::exists(c.r.dir.file("RUN1.asc")));
  EXPECT_TRUE(fs::is_empty(c.temp()));
}

TEST(DataHP3565Convert, ConverterThatEndsWithoutOutputFailsAtOnce) {
  SKIP_WITHOUT_SHELL_SCRIPTS();
  Conversion c;
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(c.run("exit 0\n"));
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(10));
  EXPECT_EQ(c.handler.texts, std::vector<std::string>{"SDFPRINT did not convert RUN1.dat."});
}

TEST(DataHP3565Convert, HostCancelsTheWait) {
  SKIP_WITHOUT_SHELL_SCRIPTS();
  Conversion c;
  int polls = 0;
  c.hp.WaitCallback([&] { return ++polls < 5; });
  EXPECT_FALSE(c.run("sleep 30\n"));
  EXPECT_EQ(polls, 5);
  EXPECT_TRUE(c.handler.texts.empty());

  Conversion d;
  d.hp.WaitCallback([&] {
    d.hp.cancelConversion();
    return true;
  });
  EXPECT_FALSE(d.run("sleep 30\n"));
}

TEST(DataHP3565Convert, MissingConverterIsReportedAndFails) {
  Conversion c;
  EXPECT_FALSE(c.hp.DAT_to_ASC(c.r.path(), c.temp(), c.tools.path().string(), {"RUN1"}));
  EXPECT_EQ(c.handler.texts, std::vector<std::string>{"SDFPRINT.EXE is missing!"});
}

namespace {

// An ".ASC" text: line 39 the averaging code, 45 the top frequency, 78 the
// low-band switch, 176 the spectrum count, and the blocks from line 185 + N.
std::string ascFile(int n, const std::string& code, const std::string& top, const std::string& lowSwitch, int low,
                    int high, double (*value)(int s, int b)) {
  std::vector<std::string> ls(184 + static_cast<std::size_t>(n), "filler");
  ls[38] = padded("", 34) + code;
  ls[44] = padded("", 30) + top;
  ls[77] = padded("", 30) + lowSwitch;
  ls[175] = padded("", 30) + std::to_string(n);
  for (int s = 1; s <= n; ++s) {
    ls.push_back("block " + std::to_string(s));
    ls.push_back("");
    for (int b = low; b <= high; ++b) {
      char buf[64];
      std::snprintf(buf, sizeof buf, "  %.6e", value(s, b));
      ls.push_back(buf);
    }
    ls.push_back("end block");
  }
  return lines(ls);
}

double power(int s, int b) { return s * 1000.0 * (b % 2 == 0 ? 1 : -1) * (b == 20 ? 2 : 1); }

}  // namespace

TEST(DataHP3565Parse, LevelsOfTheBandRangeFromPowerValues) {
  TempDir dir;
  TempDir::write(dir.file("EV.asc"), ascFile(3, "A", "25600", "    5.0", 10, 42, power));
  SF_DataHP3565 hp;
  SF_SpectralTimeHistory th;
  auto start = std::make_shared<SF_Time>();
  start->TODseconds(3600);
  ASSERT_TRUE(hp.ParseASC(dir.path().string() + "/", "EV", start, th));
  EXPECT_EQ(th.AverageMethod(), SF_LINEAR);
  EXPECT_EQ(th.startTime(), start);
  EXPECT_EQ(th.Count(), 3);
  const auto s2 = th.spectrum(2);
  EXPECT_EQ(s2->LowBand(), 17);
  EXPECT_EQ(s2->HighBand(), 40);
  EXPECT_NEAR(s2->SPL(18), 30.0002999566, 1e-9);  // 10 log10(2000) - 3.01
  EXPECT_DOUBLE_EQ(s2->SPL(17), s2->SPL(18));                        // -2000 counts as 2000
  EXPECT_DOUBLE_EQ(th.spectrum(1)->SPL(22), 26.99);                  // 10 log10(1000) - 3.01
}

TEST(DataHP3565Parse, HeaderLinesChooseMethodAndBandsOfTheFile) {
  TempDir dir;
  TempDir::write(dir.file("W.ASC"), ascFile(2, "B", "51200", "   12.5", 13, 45, power));
  SF_DataHP3565 hp;
  hp.BandLow(2);
  hp.BandHigh(50);
  SF_SpectralTimeHistory th;
  ASSERT_TRUE(hp.ParseASC(dir.path().string() + "/", "W", nullptr, th));
  EXPECT_EQ(th.AverageMethod(), SF_TRUSLO);
  EXPECT_EQ(th.spectrum(1)->LowBand(), 13);
  EXPECT_EQ(th.spectrum(1)->HighBand(), 45);
  EXPECT_DOUBLE_EQ(th.spectrum(2)->SPL(20), 10 * std::log10(4000.0) - 3.01);
}

TEST(DataHP3565Parse, BadFilesFailAndLeaveTheHistoryAlone) {
  TempDir dir;
  SF_DataHP3565 hp;
  SF_SpectralTimeHistory th;
  const std::string good = ascFile(2, "A", "25600", "5", 10, 42, power);
  auto check = [&](const std::string& bytes, const char* what) {
    TempDir::write(dir.file("X.ASC"), bytes);
    EXPECT_FALSE(hp.ParseASC(dir.path().string(), "X", nullptr, th)) << what;
    EXPECT_EQ(th.Count(), 0) << what;
  };
  check(good.substr(0, good.size() - 40), "truncated in the last block");
  check(good.substr(0, 2000), "truncated in the header");
  std::string bad = good;
  bad.replace(bad.find("  2.000000e+03"), 14, "  2.0O0000e+03");
  check(bad, "a value that is not a number");
  bad = good;
  bad.replace(bad.find("  1.000000e+03"), 14, "  0.000000e+00");
  check(bad, "a zero power");
  for (const char* count : {"99999", "-1", "x", "40000"}) {
    std::string c = good;
    const std::size_t line176 = [&] {
      std::size_t p = 0;
      for (int i = 0; i < 175; ++i) p = c.find("\r\n", p) + 2;
      return p;
    }();
    c.replace(line176, c.find("\r\n", line176) - line176, padded("", 30) + count);
    check(c, count);
  }
  EXPECT_FALSE(hp.ParseASC(dir.path().string(), "NONE", nullptr, th));
}
