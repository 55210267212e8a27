#include <memory>

#include <gtest/gtest.h>

#include "SF_Band.h"
#include "SF_DataError.h"
#include "SF_MaskMap.h"
#include "SF_SpectralTimeHistory.h"
#include "SF_Spectrum.h"

namespace {

const double kDay = 38537.0;  // 4 July 2005

// Records lo..hi over bands 20..22, level of band b in record r = 100r + b.
std::shared_ptr<SF_SpectralTimeHistory> numbered(int lo, int hi) {
  auto h = std::make_shared<SF_SpectralTimeHistory>();
  for (int r = lo; r <= hi; ++r) {
    auto s = std::make_shared<SF_Spectrum>();
    for (int b = 20; b <= 22; ++b) s->SPL(static_cast<std::int16_t>(b), 100.0 * r + b);
    h->spectrum(static_cast<std::int16_t>(r), s);
  }
  return h;
}

template <typename F>
bool raises(F&& f, SF_DataError::Kind kind) {
  try {
    f();
  } catch (const SF_DataError& e) {
    return e.kind() == kind;
  }
  return false;
}

}  // namespace

TEST(SF_Spectrum, LevelsAreReplacedAndWidenTheBandRange) {
  SF_Spectrum s;
  EXPECT_EQ(s.LowBand(), 9999);
  EXPECT_EQ(s.HighBand(), -1);
  s.SPL(25, 60.0);
  s.SPL(21, 55.0);
  s.SPL(25, 61.5);
  EXPECT_EQ(s.SPL(25), 61.5);
  EXPECT_EQ(s.LowBand(), 21);
  EXPECT_EQ(s.HighBand(), 25);
  EXPECT_TRUE(raises([&] { (void)s.SPL(30); }, SF_DataError::MissingEntry));
  EXPECT_TRUE(raises([&] { (void)s.SPL(23); }, SF_DataError::MissingEntry));
}

TEST(SF_Spectrum, CopyIsDeepAndFailsOnAGap) {
  SF_Spectrum s;
  s.SPL(10, 1.0);
  s.SPL(11, 2.0);
  s.Level(77.5);
  s.Time()->TODseconds(3.0);
  s.Metric()->PNL(90.0);
  auto c = s.Copy();
  EXPECT_EQ(c->SPL(11), 2.0);
  EXPECT_EQ(c->Level(), 77.5);
  EXPECT_EQ(c->Time()->TODseconds(), 3.0);
  EXPECT_NE(c->Time(), s.Time());
  EXPECT_EQ(c->Metric()->PNL(), 90.0f);
  EXPECT_NE(c->Metric(), s.Metric());
  c->SPL(11, 5.0);
  EXPECT_EQ(s.SPL(11), 2.0);

  s.SPL(13, 4.0);  // band 12 missing inside 10..13
  EXPECT_TRUE(raises([&] { s.Copy(); }, SF_DataError::MissingEntry));
}

TEST(SF_Spectrum, EncompassesComparesBandRanges) {
  SF_Spectrum wide, narrow;
  for (int b = 10; b <= 40; ++b) wide.SPL(static_cast<std::int16_t>(b), 0);
  for (int b = 17; b <= 40; ++b) narrow.SPL(static_cast<std::int16_t>(b), 0);
  EXPECT_TRUE(wide.Encompasses(narrow));
  EXPECT_FALSE(narrow.Encompasses(wide));
  EXPECT_TRUE(wide.Encompasses(wide));
}

TEST(SF_Band, ValuesByRecordAndDeepCopy) {
  SF_Band b;
  b.SPL(5, 50.0);
  b.SPL(6, 60.0);
  b.SPL(5, 55.0);
  EXPECT_EQ(b.Count(), 2);
  EXPECT_EQ(b.SPL(5), 55.0);
  EXPECT_TRUE(raises([&] { (void)b.SPL(1); }, SF_DataError::MissingEntry));
  auto c = b.Copy();
  EXPECT_EQ(c->Count(), 2);
  EXPECT_EQ(c->SPL(6), 60.0);
  c->SPL(6, 1.0);
  EXPECT_EQ(b.SPL(6), 60.0);
}

TEST(SF_SpectralTimeHistory, InitBuildsANewHistoryOfZeroLevels) {
  SF_SpectralTimeHistory h;
  auto n = h.Init(1, 4, 10, 40);
  EXPECT_EQ(n->LoRec(), 1);
  EXPECT_EQ(n->HiRec(), 4);
  EXPECT_EQ(n->Count(), 4);
  for (int r = 1; r <= 4; ++r) {
    auto s = n->spectrum(static_cast<std::int16_t>(r));
    EXPECT_EQ(s->LowBand(), 10);
    EXPECT_EQ(s->HighBand(), 40);
    for (int b = 10; b <= 40; ++b) EXPECT_EQ(s->SPL(static_cast<std::int16_t>(b)), 0.0);
  }
  EXPECT_EQ(h.Count(), 0);
  EXPECT_EQ(h.LoRec(), 9999);
  EXPECT_EQ(h.HiRec(), -1);
}

TEST(SF_SpectralTimeHistory, StoringSharesAndReplacesSpectra) {
  SF_SpectralTimeHistory h;
  auto a = std::make_shared<SF_Spectrum>();
  auto b = std::make_shared<SF_Spectrum>();
  h.spectrum(3, a);
  h.spectrum(3, b);
  h.spectrum(7, a);
  EXPECT_EQ(h.spectrum(3), b);
  EXPECT_EQ(h.spectrum(7), a);
  EXPECT_EQ(h.Count(), 2);
  EXPECT_EQ(h.LoRec(), 3);
  EXPECT_EQ(h.HiRec(), 7);
  EXPECT_TRUE(raises([&] { h.spectrum(5); }, SF_DataError::MissingEntry));
  EXPECT_TRUE(raises([&] { h.spectrum(4, nullptr); }, SF_DataError::NoObject));
}

TEST(SF_SpectralTimeHistory, StoredZeroRecordBoundsReadAsOneAndCount) {
  auto h = numbered(1, 3);
  h->LoRec(0);
  h->HiRec(0);
  EXPECT_EQ(h->LoRec(), 1);
  EXPECT_EQ(h->HiRec(), 3);
}

TEST(SF_SpectralTimeHistory, CountPastSixteenBitsRaises) {
  SF_SpectralTimeHistory h;
  auto s = std::make_shared<SF_Spectrum>();
  for (int r = -32768; r <= 0; ++r) h.spectrum(static_cast<std::int16_t>(r), s);
  EXPECT_TRUE(raises([&] { (void)h.Count(); }, SF_DataError::Overflow));
}

TEST(SF_SpectralTimeHistory, TextNamesOfTheTypes) {
  SF_SpectralTimeHistory h;
  EXPECT_EQ(h.sAveragingMethod(), "LINEAR");
  EXPECT_EQ(h.sTimeStampType(), "START");
  EXPECT_EQ(h.sReferenceTimeType(), "START");
  h.sTimeStampType("midpt");
  EXPECT_EQ(h.TimeStampType(), SF_START);
  h.sTimeStampType("MIDPT");
  EXPECT_EQ(h.TimeStampType(), SF_MIDPT);
  h.sAveragingMethod("4S95");
  EXPECT_EQ(h.AverageMethod(), SF_4S95);
  h.sAveragingMethod("NA");
  EXPECT_EQ(h.AverageMethod(), SF_NA);
  h.sReferenceTimeType("OAMAX");
  EXPECT_EQ(h.ReferenceType(), SF_OAMAX);
  h.sReferenceTimeType("START");
  EXPECT_EQ(h.ReferenceType(), SF_START_REF);
  h.AverageMethod(static_cast<SF_AverageMethod>(42));
  EXPECT_EQ(h.sAveragingMethod(), "");
}

TEST(SF_SpectralTimeHistory, ResizeSharesSpectraInsideTheRangeOnly) {
  auto h = numbered(1, 6);
  h->startTime()->CurrentDate(kDay);
  h->startTime()->TODseconds(100.0);
  h->startTime()->RelSeconds(9.0);
  h->ReferenceTime()->TODseconds(200.0);
  h->AverageMethod(SF_TRUSLO);
  h->TimeStampType(SF_END);
  h->ReferenceType(SF_PMAX);
  h->Metrics()->MetricType(SF_METRIC_PNL);

  auto r = h->Resize(2, 4);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Count(), 3);
  EXPECT_EQ(r->LoRec(), 2);
  EXPECT_EQ(r->HiRec(), 4);
  EXPECT_EQ(r->spectrum(3), h->spectrum(3));
  EXPECT_NE(r->startTime(), h->startTime());
  EXPECT_EQ(r->startTime()->CurrentDate(), kDay);
  EXPECT_EQ(r->startTime()->TODseconds(), 100.0);
  EXPECT_EQ(r->startTime()->RelSeconds(), 0.0);
  EXPECT_EQ(r->ReferenceTime()->TODseconds(), 200.0);
  EXPECT_EQ(r->AverageMethod(), SF_TRUSLO);
  EXPECT_EQ(r->TimeStampType(), SF_END);
  EXPECT_EQ(r->ReferenceType(), SF_PMAX);
  EXPECT_TRUE(r->Metrics()->MetricTypes().empty());

  EXPECT_EQ(h->Resize(0, 4), nullptr);
  EXPECT_EQ(h->Resize(2, 7), nullptr);
}

TEST(SF_SpectralTimeHistory, CopyIsDeep) {
  auto h = numbered(1, 3);
  h->startTime()->TODseconds(10.0);
  h->ReferenceTime()->CurrentDate(kDay);
  h->ReferenceType(SF_TMAX);
  h->TimeStampType(SF_OLDSLO);
  h->AverageMethod(SF_CONTEXPO);
  h->Metrics()->MetricType(SF_METRIC_LGB);
  h->spectrum(2)->Metric()->LGB(33);
  auto c = h->Copy();
  EXPECT_EQ(c->Count(), 3);
  EXPECT_NE(c->spectrum(2), h->spectrum(2));
  EXPECT_EQ(c->spectrum(2)->SPL(21), 221.0);
  EXPECT_EQ(c->spectrum(2)->Metric()->LGB(), 33.0f);
  EXPECT_EQ(c->startTime()->TODseconds(), 10.0);
  EXPECT_EQ(c->ReferenceTime()->CurrentDate(), kDay);
  EXPECT_EQ(c->ReferenceType(), SF_TMAX);
  EXPECT_EQ(c->TimeStampType(), SF_OLDSLO);
  EXPECT_EQ(c->AverageMethod(), SF_CONTEXPO);
  EXPECT_NE(c->Metrics(), h->Metrics());
  EXPECT_TRUE(c->Metrics()->isMetric(SF_METRIC_LGB));
  c->spectrum(2)->SPL(21, 0.0);
  EXPECT_EQ(h->spectrum(2)->SPL(21), 221.0);
}

TEST(SF_SpectralTimeHistory, WalksRaiseOnAGapInTheRecords) {
  auto h = numbered(1, 2);
  h->spectrum(4, h->spectrum(1)->Copy());
  EXPECT_TRUE(raises([&] { h->Copy(); }, SF_DataError::MissingEntry));
  EXPECT_TRUE(raises([&] { h->Band(20); }, SF_DataError::MissingEntry));
  EXPECT_TRUE(raises([&] { h->setRelTimes(std::make_shared<SF_Time>(), SF_AMAX); }, SF_DataError::MissingEntry));
  EXPECT_TRUE(raises([&] { h->setTimeStamps(SF_Time(), SF_START, SF_Time(), SF_START_REF); },
                     SF_DataError::MissingEntry));
}

TEST(SF_SpectralTimeHistory, BandReadsAndWritesOneBandAcrossRecords) {
  auto h = numbered(3, 5);
  auto b = h->Band(21);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->Count(), 3);
  EXPECT_EQ(b->SPL(3), 321.0);
  EXPECT_EQ(b->SPL(5), 521.0);
  EXPECT_TRUE(raises([&] { h->Band(23); }, SF_DataError::MissingEntry));

  SF_Band v;
  for (int r = 3; r <= 5; ++r) v.SPL(static_cast<std::int16_t>(r), -r);
  h->Band(23, v);
  EXPECT_EQ(h->spectrum(4)->SPL(23), -4.0);
  EXPECT_EQ(h->spectrum(4)->HighBand(), 23);

  SF_Band shortBand;
  shortBand.SPL(3, 1.0);
  EXPECT_TRUE(raises([&] { h->Band(20, shortBand); }, SF_DataError::MissingEntry));

  SF_SpectralTimeHistory empty;
  EXPECT_EQ(empty.Band(21), nullptr);
}

TEST(SF_SpectralTimeHistory, TimeStampsForEveryStampType) {
  struct Case {
    SF_TimeStampType type;
    double firstRecord;  // seconds of record 1 for a start at 100 s
  } cases[] = {{SF_START, 100.0}, {SF_MIDPT, 100.25}, {SF_END, 100.5}, {SF_ICAOSLO, 99.75}, {SF_OLDSLO, 99.5}};
  for (const auto& c : cases) {
    auto h = numbered(1, 3);
    SF_Time start, ref;
    start.CurrentDate(kDay);
    start.TODseconds(100.0);
    ref.CurrentDate(kDay);
    ref.TODseconds(90.0);
    h->setTimeStamps(start, c.type, ref, SF_OVERHEAD);
    EXPECT_EQ(h->TimeStampType(), c.type);
    EXPECT_EQ(h->ReferenceType(), SF_OVERHEAD);
    EXPECT_EQ(h->startTime()->TODseconds(), 100.0);
    EXPECT_EQ(h->ReferenceTime()->TODseconds(), 90.0);
    for (int r = 1; r <= 3; ++r) {
      auto t = h->spectrum(static_cast<std::int16_t>(r))->Time();
      EXPECT_EQ(t->TODseconds(), c.firstRecord + 0.5 * (r - 1)) << c.type << " record " << r;
      EXPECT_EQ(t->CurrentDate(), kDay);
      EXPECT_EQ(t->RelSeconds(), c.firstRecord + 0.5 * (r - 1) - 90.0);
    }
  }
}

TEST(SF_SpectralTimeHistory, TimeStampsRollIntoTheNextDay) {
  auto h = numbered(1, 4);
  SF_Time start;
  start.CurrentDate(kDay);
  start.TODseconds(86399.0);
  h->setTimeStamps(start, SF_START, start, SF_START_REF);
  const double seconds[] = {86399.0, 86399.5, 86400.0, 0.5};
  const double days[] = {kDay, kDay, kDay, kDay + 1};
  for (int r = 1; r <= 4; ++r) {
    auto t = h->spectrum(static_cast<std::int16_t>(r))->Time();
    EXPECT_EQ(t->TODseconds(), seconds[r - 1]);
    EXPECT_EQ(t->CurrentDate(), days[r - 1]);
    EXPECT_EQ(t->RelSeconds(), 0.5 * (r - 1));
  }
}

TEST(SF_SpectralTimeHistory, TimeStampBaseIsHeldInSinglePrecision) {
  auto h = numbered(1, 1);
  SF_Time start;
  start.TODseconds(45296.3);
  h->setTimeStamps(start, SF_START, start, SF_START_REF);
  EXPECT_EQ(h->spectrum(1)->Time()->TODseconds(), static_cast<double>(static_cast<float>(45296.3 - 0.5)) + 0.5);
}

TEST(SF_SpectralTimeHistory, TimeStampsFromItsOwnStartTimeObject) {
  auto h = numbered(1, 2);
  h->startTime(h->spectrum(1)->Time());  // the start time shared with record 1
  h->startTime()->TODseconds(10.0);
  h->setTimeStamps(*h->startTime(), SF_END, *h->startTime(), SF_START_REF);
  EXPECT_EQ(h->spectrum(1)->Time()->TODseconds(), 10.5);
  EXPECT_EQ(h->spectrum(2)->Time()->TODseconds(), 11.0);
}

TEST(SF_SpectralTimeHistory, RelativeTimesKeepTheReferenceGiven) {
  auto h = numbered(1, 2);
  h->spectrum(1)->Time()->TODseconds(100.0);
  h->spectrum(2)->Time()->TODseconds(100.5);
  auto ref = std::make_shared<SF_Time>();
  ref->TODseconds(99.0);
  h->setRelTimes(ref, SF_HACK);
  EXPECT_EQ(h->ReferenceTime(), ref);
  EXPECT_EQ(h->ReferenceType(), SF_HACK);
  EXPECT_EQ(h->spectrum(1)->Time()->RelSeconds(), 1.0);
  EXPECT_EQ(h->spectrum(2)->Time()->RelSeconds(), 1.5);
}

TEST(SF_SpectralTimeHistory, PropertiesStoreReferences) {
  SF_SpectralTimeHistory h;
  auto t = std::make_shared<SF_Time>();
  h.startTime(t);
  t->TODseconds(42.0);
  EXPECT_EQ(h.startTime()->TODseconds(), 42.0);
  auto m = std::make_shared<SF_MetricSummary>();
  h.Metrics(m);
  EXPECT_EQ(h.Metrics(), m);
  EXPECT_EQ(h.ReferenceTime(), h.ReferenceTime());  // created once on first read
}
