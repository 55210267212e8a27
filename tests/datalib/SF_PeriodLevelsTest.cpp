#include "SF_PeriodLevels.h"

#include <cmath>

#include <gtest/gtest.h>

#include "SF_DataSPC.h"
#include "SF_FileText.h"
#include "SF_MeasuredBaselines.h"
#include "SF_MeasurementReader.h"
#include "MeasuredRunSupport.h"
#include "../support/TempDir.h"

namespace {

std::string shown(double level) { return SF_FileText::fixed(level, 1); }

}  // namespace

TEST(PeriodLevels, RunAcrossMidnightSplitsBetweenEveningAndNight) {
  TempDir dir;
  const std::string path = dir.file("night.sth");
  ASSERT_TRUE(writeRun(path, *eveningIntoNight()));

  SF_PeriodLevels levels(SF_WEIGHTING_A, SF_Periods::Default());
  ASSERT_TRUE(levels.compute(path)) << levels.Error();
  EXPECT_EQ(levels.Records(), 28800);
  EXPECT_EQ(levels.Days(), 2);
  EXPECT_DOUBLE_EQ(levels.RunStart(), 21 * 3600.0);
  EXPECT_DOUBLE_EQ(levels.RunEnd(), 3600.0);

  EXPECT_TRUE(levels.Statistics(0).Empty());  // no record by day
  const auto& evening = levels.Statistics(1);
  EXPECT_DOUBLE_EQ(evening.Seconds(), 3600.0);
  EXPECT_EQ(shown(evening.Leq()), "55.0");
  const auto& night = levels.Statistics(2);
  EXPECT_DOUBLE_EQ(night.Seconds(), 10800.0);  // both sides of midnight
  EXPECT_EQ(shown(night.Leq()), "43.5");       // 10 log10((2·10^4.5 + 10^3.5) / 3)
  EXPECT_DOUBLE_EQ(night.Lmax(), 45.0);
  EXPECT_DOUBLE_EQ(night.Lmin(), 35.0);
  EXPECT_DOUBLE_EQ(night.Ln(50), 45.0);
  EXPECT_DOUBLE_EQ(night.Ln(90), 35.0);
  EXPECT_EQ(shown(night.SEL()), "83.8");
}

TEST(PeriodLevels, RecordBelongsToThePeriodItStartsIn) {
  // Stamped at their ends: the record stamped 22:00:00 started in the evening.
  // Stamped at their midpoints: 21:59:59.75 is evening, 22:00:00.25 night.
  struct Case {
    SF_TimeStampType stamps;
    double firstStamp;
  };
  for (const Case c : {Case{SF_END, 22 * 3600.0}, Case{SF_MIDPT, 22 * 3600.0 - 0.25}, Case{SF_START, 22 * 3600.0 - 0.5}}) {
    TempDir dir;
    const std::string path = dir.file("edge.sth");
    // setTimeStamps puts record 1 at start, start + 0.25 or start + 0.5 for START, MIDPT, END.
    const double start = c.firstStamp - (c.stamps == SF_END ? 0.5 : c.stamps == SF_MIDPT ? 0.25 : 0.0);
    ASSERT_TRUE(writeRun(path, *measuredRun(start, 2, [](int i) { return i == 0 ? 50.0 : 40.0; }, c.stamps)));
    SF_PeriodLevels levels(SF_WEIGHTING_Z, SF_Periods::Default());
    ASSERT_TRUE(levels.compute(path)) << levels.Error();
    EXPECT_EQ(levels.Statistics(1).Count(), 1u) << c.stamps;
    EXPECT_DOUBLE_EQ(levels.Statistics(1).Lmax(), 50.0) << c.stamps;
    EXPECT_DOUBLE_EQ(levels.Statistics(2).Lmax(), 40.0) << c.stamps;
  }
}

TEST(PeriodLevels, FixedColumnFileRecordsLastTheirHeadersRecordLength) {
  TempDir dir;
  const std::string path = dir.file("run.dat");  // recognised by content, not by name
  const auto run = measuredRun(18 * 3600.0, 3, [](int i) { return 60.0 + 10 * i; });
  SF_DataSPC spc;
  spc.setHeader("E", 0.5, *run->startTime(), 1, 3);
  ASSERT_EQ(spc.writeFile(path, *run), SF_DATA_OK);

  SF_MeasurementReader reader;
  ASSERT_TRUE(reader.open(path)) << reader.Error();
  EXPECT_EQ(reader.Format(), SF_FORMAT_SPC);
  std::vector<double> starts;
  ASSERT_TRUE(reader.forEachRecord([&](const SF_MeasuredRecord& r) { starts.push_back(r.start); }));
  EXPECT_EQ(starts, (std::vector<double>{64800.0, 64800.5, 64801.0}));

  // The layout writes .00 (0 dB) into the fields of bands never measured;
  // only the 1 kHz band is taken here.
  SF_MeasurementReader oneBand;
  oneBand.SpcBands(30, 30);
  ASSERT_TRUE(oneBand.open(path));
  SF_PeriodLevels levels(SF_WEIGHTING_A, SF_Periods::WholeRun());
  ASSERT_TRUE(levels.compute(oneBand));
  EXPECT_NEAR(levels.Statistics(0).Leq(), 10 * std::log10((1e6 + 1e7 + 1e8) / 3), 1e-9);
  EXPECT_DOUBLE_EQ(levels.Statistics(0).Seconds(), 1.5);
}

TEST(PeriodLevels, DamagedFilesAreRefusedWithTheLineAtFault) {
  TempDir dir;
  const std::string path = dir.file("run.sth");
  ASSERT_TRUE(writeRun(path, *measuredRun(36000, 4, [](int) { return 50.0; })));
  const std::string good = TempDir::read(path);
  struct Case {
    std::string bytes;
    std::string error;
  };
  const std::size_t lastLine = good.rfind("4,");
  const Case cases[] = {
      {good.substr(0, lastLine), "announces 4 records but holds 3"},
      {good.substr(0, good.rfind("50.00")) + "5x.00\r\n", "line 24 holds a level that is not a number"},
      {good.substr(0, lastLine) + "4,10:00:02\r\n", "line 24 holds fewer levels than the header's bands"},
      {"FileType**,Spectral Time-History\r\nFileName**,x\r\n", "ends inside its header, at line 3"},
      {"not a measurement\r\n", "is neither a spectral time history file nor a fixed-column spectral file"},
      {"", "is empty"},
  };
  for (const auto& c : cases) {
    TempDir::write(path, c.bytes);
    SF_PeriodLevels levels(SF_WEIGHTING_A, SF_Periods::Default());
    EXPECT_FALSE(levels.compute(path));
    EXPECT_EQ(levels.Error(), c.error);
    EXPECT_EQ(levels.Records(), 0);
  }
  SF_PeriodLevels levels(SF_WEIGHTING_A, SF_Periods::Default());
  EXPECT_FALSE(levels.compute(dir.file("missing.sth")));
  EXPECT_EQ(levels.Error(), "cannot be opened for reading");
}

TEST(MeasuredBaselines, StatisticPerPeriodAndPeriodsWithoutRecordsSaySo) {
  TempDir dir;
  const std::string path = dir.file("ambient.sth");
  ASSERT_TRUE(writeRun(path, *eveningIntoNight()));

  SF_MeasuredBaselines b;
  ASSERT_TRUE(b.read(path, SF_BASELINE_L90));
  EXPECT_FALSE(b.Has(0));
  EXPECT_TRUE(b.Has(1));
  EXPECT_DOUBLE_EQ(b.Value(1), 55.0);
  EXPECT_DOUBLE_EQ(b.Value(2), 35.0);
  EXPECT_EQ(b.Message(),
            "L90, A-weighted, from ambient.sth:\nEvening 55.0 dBA\nNighttime 35.0 dBA\n"
            "No record of the measurement falls in the daytime (07:00-19:00); its baseline is left as it was.");

  ASSERT_TRUE(b.read(path, SF_BASELINE_LEQ));
  EXPECT_DOUBLE_EQ(b.Value(2), 43.5);  // shown to a tenth, and stored so
  ASSERT_TRUE(b.read(path, SF_BASELINE_L50));
  EXPECT_DOUBLE_EQ(b.Value(2), 45.0);

  EXPECT_FALSE(b.read(dir.file("none.sth"), SF_BASELINE_LEQ));
  EXPECT_FALSE(b.Has(1));
  EXPECT_EQ(b.Message(), "The measurement file none.sth cannot be used: it cannot be opened for reading.");
}
