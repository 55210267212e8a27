#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>

#include "SF_DataSPC.h"
#include "FormatTestSupport.h"
#include "../support/CrLfLines.h"

namespace {

double levelOf(int r, int b) {
  if (r == 1 && b == 17) return 0.5;
  if (r == 2 && b == 18) return -0.5;
  if (r == 3 && b == 40) return 72.346;
  return 40 + b + r / 4.0;
}

std::shared_ptr<SF_SpectralTimeHistory> history(int records, int lowBand, int highBand) {
  auto sth = std::make_shared<SF_SpectralTimeHistory>();
  for (int r = 1; r <= records; ++r) {
    auto s = std::make_shared<SF_Spectrum>();
    for (int b = lowBand; b <= highBand; ++b) s->SPL(static_cast<std::int16_t>(b), levelOf(r, b));
    s->Level(80 + r);
    sth->spectrum(static_cast<std::int16_t>(r), s);
  }
  return sth;
}

SF_Time at(double seconds) {
  SF_Time t;
  t.TODseconds(seconds);
  return t;
}

}  // namespace

TEST(DataSPC, HeaderLinesPutEachFieldInItsColumns) {
  SF_DataSPC spc;
  spc.setHeader("E", 0.5, at(10 * 3600 + 5 * 60 + 30), 1, 10);
  const std::string& h1 = spc.HeaderLine1();
  ASSERT_EQ(h1.size(), 80u);
  EXPECT_EQ(h1.substr(0, 1), "E");
  EXPECT_EQ(h1.substr(4, 6), ".50000");
  EXPECT_EQ(h1.substr(11, 2), "10");
  EXPECT_EQ(h1.substr(14, 2), "05");
  EXPECT_EQ(h1.substr(17, 6), "30.000");
  EXPECT_EQ(h1.substr(28, 6), ".00000");
  EXPECT_EQ(h1.find_first_not_of(' ', 34), std::string::npos);
  EXPECT_EQ(spc.HeaderLine2(), std::string("     .00     .00   1  10") + std::string(56, ' '));

  spc.setHeader("e", 2.25, at(3600 + 7.5), 120, 9999);
  EXPECT_EQ(spc.HeaderLine1().substr(0, 24), "e  2.25000 01 00 07.500 ");
  EXPECT_EQ(spc.HeaderLine2().substr(0, 24), "     .00     .00 1209999");
}

TEST(DataSPC, WritesFiveFixedLinesPerRecordExactly) {
  TempDir dir;
  const std::string name = dir.file("three.spc");
  SF_DataSPC spc;
  spc.setHeader("E", 0.5, at(10 * 3600 + 5 * 60 + 30), 1, 3);
  ASSERT_EQ(spc.writeFile(name, *history(3, 17, 40)), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), golden("spc_three.spc"));
}

TEST(DataSPC, ReadsLevelsInsideTheBandRangeAndStampsMidpoints) {
  SF_DataSPC spc;
  std::shared_ptr<SF_SpectralTimeHistory> th;
  ASSERT_EQ(spc.readFile(goldenPath("spc_three.spc"), th), SF_DATA_OK);
  EXPECT_EQ(spc.NumberFirstRecord(), 1);
  EXPECT_EQ(spc.NumberLastRecord(), 3);
  EXPECT_EQ(spc.RecordLength(), 0.5);
  EXPECT_EQ(spc.startTime()->TODseconds(), 36330.0);
  EXPECT_EQ(th->AverageMethod(), SF_TRUSLO);
  EXPECT_EQ(th->Count(), 3);
  for (int r = 1; r <= 3; ++r) {
    const auto s = th->spectrum(static_cast<std::int16_t>(r));
    EXPECT_EQ(s->LowBand(), 17);
    EXPECT_EQ(s->HighBand(), 40);  // the overall level in the band-45 field is not taken
    EXPECT_EQ(s->Time()->TODseconds(), 36330 + 0.5 * r - 0.25);
    EXPECT_EQ(s->Time()->RelSeconds(), 0.5 * r - 0.25);
    for (int b = 17; b <= 40; ++b)
      EXPECT_EQ(s->SPL(static_cast<std::int16_t>(b)), std::round(levelOf(r, b) * 100) / 100);
  }

  spc.BandLow(20);
  spc.BandHigh(30);
  ASSERT_EQ(spc.readFile(goldenPath("spc_three.spc"), th), SF_DATA_OK);
  EXPECT_EQ(th->spectrum(2)->LowBand(), 20);
  EXPECT_EQ(th->spectrum(2)->HighBand(), 30);

  spc.BandLow(2);
  spc.BandHigh(45);
  ASSERT_EQ(spc.readFile(goldenPath("spc_three.spc"), th), SF_DATA_OK);
  EXPECT_EQ(th->spectrum(3)->SPL(2), 0.0);
  EXPECT_EQ(th->spectrum(3)->SPL(45), 83.0);
}

TEST(DataSPC, LineCountMustMatchTheRecordRange) {
  TempDir dir;
  const std::string name = dir.file("n.spc");
  SF_DataSPC spc;
  spc.setHeader("A", 0.5, at(0), 1, 10);
  ASSERT_EQ(spc.writeFile(name, *history(10, 17, 40)), SF_DATA_OK);
  auto lines = splitLines(TempDir::read(name));
  ASSERT_EQ(lines.size(), 52u);
  std::shared_ptr<SF_SpectralTimeHistory> th;
  ASSERT_EQ(spc.readFile(name, th), SF_DATA_OK);
  EXPECT_EQ(th->AverageMethod(), SF_LINEAR);

  auto shorter = lines;
  shorter.pop_back();
  TempDir::write(name, joinLines(shorter));
  EXPECT_EQ(spc.readFile(name, th), SF_DATA_FILE_ERROR);
  auto longer = lines;
  longer.push_back(lines.back());
  TempDir::write(name, joinLines(longer));
  EXPECT_EQ(spc.readFile(name, th), SF_DATA_FILE_ERROR);
}

TEST(DataSPC, MoreThan999RecordsKeepTheirNumbers) {
  TempDir dir;
  const std::string name = dir.file("big.spc");
  SF_DataSPC spc;
  spc.setHeader("E", 0.5, at(0), 1, 1200);
  ASSERT_EQ(spc.writeFile(name, *history(1200, 10, 43)), SF_DATA_OK);
  const auto lines = splitLines(TempDir::read(name));
  EXPECT_EQ(lines[2 + 5 * 999].substr(0, 7), "1000 43");
  EXPECT_EQ(lines[2 + 5 * 998].substr(0, 7), "999  43");
  spc.BandLow(10);
  spc.BandHigh(43);
  std::shared_ptr<SF_SpectralTimeHistory> th;
  ASSERT_EQ(spc.readFile(name, th), SF_DATA_OK);
  EXPECT_EQ(th->HiRec(), 1200);
  EXPECT_EQ(th->spectrum(1200)->SPL(43), 40 + 43 + 300.0);
}

TEST(DataSPC, BadFieldsAreFileErrors) {
  TempDir dir;
  const std::string name = dir.file("b.spc");
  const auto good = splitLines(golden("spc_three.spc"));
  struct Change {
    std::size_t line, column;
    std::string text;
  };
  const std::vector<Change> changes = {
      {0, 4, "x"},  {0, 12, "a"}, {0, 19, "?"}, {1, 19, "x"}, {1, 23, "9"},  // 3 -> 93 records
      {2, 1, "Z"},  {5, 20, "?"}, {5, 70, "-"}, {1, 16, "99999"},
  };
  SF_DataSPC spc;
  for (const auto& c : changes) {
    auto lines = good;
    lines[c.line].replace(c.column - 1, c.text.size(), c.text);
    TempDir::write(name, joinLines(lines));
    std::shared_ptr<SF_SpectralTimeHistory> th;
    EXPECT_EQ(spc.readFile(name, th), SF_DATA_FILE_ERROR) << c.line << ":" << c.column;
    EXPECT_FALSE(th);
  }
  auto cut = good;
  cut[6].resize(35);
  TempDir::write(name, joinLines(cut));
  std::shared_ptr<SF_SpectralTimeHistory> th;
  EXPECT_EQ(spc.readFile(name, th), SF_DATA_FILE_ERROR);
  TempDir::write(name, joinLines({good[0]}));
  EXPECT_EQ(spc.readFile(name, th), SF_DATA_FILE_ERROR);
  EXPECT_EQ(spc.readFile(dir.file("missing.spc"), th), SF_DATA_FILE_ERROR);
}

TEST(DataSPC, ValuesThatDoNotFitAreNotWritten) {
  TempDir dir;
  SF_DataSPC spc;
  spc.setHeader("E", 0.5, at(0), 1, 3);
  auto wide = history(3, 17, 40);
  wide->spectrum(2)->SPL(20, 10000.0);
  EXPECT_EQ(spc.writeFile(dir.file("w.spc"), *wide), SF_DATA_FILE_ERROR);
  auto band1 = history(3, 1, 40);
  EXPECT_EQ(spc.writeFile(dir.file("w.spc"), *band1), SF_DATA_FILE_ERROR);
  spc.setHeader("E", 1000.0, at(0), 1, 3);
  EXPECT_EQ(spc.writeFile(dir.file("w.spc"), *history(3, 17, 40)), SF_DATA_FILE_ERROR);
  EXPECT_FALSE(std::filesystem::exists(dir.file("w.spc")));
}

// Two records over bands 34 to 47 (the third and fourth band lines, and bands
// past 45 that have no field), negative, zero, fractional and three-digit
// levels, halves rounded away from zero, a start half a second before midnight.
TEST(DataSPC, SparseBandsAndUnusualLevelsAreWrittenInTheirColumns) {
  const double rec1[] = {100.125, -3.5, 0, 0.375, 61.1, 62.2, 63.3, 64.4, 65.5, 66.6, 67.7, 99.99, 50, 51};
  const double rec2[] = {-0.125, 12.34, -10.5, 100, 1, 2, 3, 4, 5, 6, 7, 45.45, 46, 47};
  SF_SpectralTimeHistory sth;
  for (int r = 1; r <= 2; ++r) {
    auto s = std::make_shared<SF_Spectrum>();
    for (int b = 34; b <= 47; ++b) s->SPL(static_cast<std::int16_t>(b), (r == 1 ? rec1 : rec2)[b - 34]);
    s->Level(r == 1 ? 105.625 : 0.0);
    sth.spectrum(static_cast<std::int16_t>(r), s);
  }
  TempDir dir;
  const std::string name = dir.file("sparse.spc");
  SF_DataSPC spc;
  spc.setHeader("l", 0.25, at(86399.5), 1, 2);
  ASSERT_EQ(spc.writeFile(name, sth), SF_DATA_OK);
  const std::string blank7 = "    .00";
  std::string empty;
  for (int i = 0; i < 11; ++i) empty += blank7;
  empty += "   ";
  std::string tenEmpty;
  for (int i = 0; i < 10; ++i) tenEmpty += blank7;
  const std::string expected = crlf({
      "l   .25000 23 59 59.500     .00000" + std::string(46, ' '),
      "     .00     .00   1   2" + std::string(56, ' '),
      "  1  47" + std::string(73, ' '),
      empty,
      empty,
      tenEmpty + " 100.13   ",
      "  -3.50    .00    .38  61.10  62.20  63.30  64.40  65.50  66.60  67.70 105.63   ",
      "  2  47" + std::string(73, ' '),
      empty,
      empty,
      tenEmpty + "   -.13   ",
      "  12.34 -10.50 100.00   1.00   2.00   3.00   4.00   5.00   6.00   7.00    .00   ",
  });
  EXPECT_EQ(TempDir::read(name), expected);

  SF_DataSPC reader;
  reader.BandLow(34);
  reader.BandHigh(47);
  std::shared_ptr<SF_SpectralTimeHistory> th;
  ASSERT_EQ(reader.readFile(name, th), SF_DATA_OK);
  EXPECT_EQ(reader.RecordLength(), 0.25);
  EXPECT_EQ(th->AverageMethod(), SF_LINEAR);
  const auto s1 = th->spectrum(1), s2 = th->spectrum(2);
  EXPECT_EQ(s1->LowBand(), 34);
  EXPECT_EQ(s1->HighBand(), 45);
  EXPECT_EQ(s1->SPL(34), 100.13);
  EXPECT_EQ(s1->SPL(36), 0.0);
  EXPECT_EQ(s1->SPL(45), 105.63);  // the overall level's field
  EXPECT_EQ(s2->SPL(34), -0.13);
  EXPECT_EQ(s2->SPL(36), -10.5);
  // Midpoints: 23:59:59.75, then 00:00:00.25 of the next day, 0.75 s after the start.
  EXPECT_EQ(s1->Time()->TODseconds(), 86399.75);
  EXPECT_EQ(s2->Time()->TODseconds(), 0.25);
  EXPECT_EQ(s2->Time()->CurrentDate(), s1->Time()->CurrentDate() + 1);
  EXPECT_EQ(s2->Time()->RelSeconds(), 0.75);
}
