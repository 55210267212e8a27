#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "SF_DataError.h"
#include "SF_MaskMap.h"
#include "SF_SpectralTimeHistory.h"

namespace {

// A row over bands lo..hi whose cells are clean except the masked bands given.
std::shared_ptr<SF_MaskRow> row(int lo, int hi, std::initializer_list<int> masked = {}) {
  auto r = std::make_shared<SF_MaskRow>();
  for (int b = lo; b <= hi; ++b) {
    auto m = std::make_shared<SF_Mask>();
    for (int x : masked)
      if (x == b) m->MaskString("M-");
    r->Mask(static_cast<std::int16_t>(b), m);
  }
  return r;
}

}  // namespace

TEST(SF_Mask, LettersOfTheTwoModes) {
  SF_Mask m;
  EXPECT_EQ(m.MaskString(), "--");
  m.MaskString("M-");
  EXPECT_EQ(m.MaskMode(), MASKED_BY_MASK_CRITERION);
  EXPECT_EQ(m.AdjustMode(), NOT_ADJUSTED);
  m.MaskString("AF");
  EXPECT_EQ(m.MaskMode(), MASKED_BY_PRE_DETECT);
  EXPECT_EQ(m.AdjustMode(), FREQUENCY_EXTRAPOLATION);
  m.MaskString("?C");
  EXPECT_EQ(m.MaskMode(), MASKED_BY_PRE_DETECT);
  EXPECT_EQ(m.AdjustMode(), CORRECTIONS_APPLIED);
  m.MaskString("F");  // one letter is both first and last
  EXPECT_EQ(m.MaskMode(), MASKED_BY_POST_DETECT);
  EXPECT_EQ(m.AdjustMode(), FREQUENCY_EXTRAPOLATION);
  m.MaskString("");
  EXPECT_EQ(m.MaskString(), "FF");
  m.MaskMode(MASKED_BY_MASK_CRITERION);
  m.AdjustMode(ENERGY_SUBTRACTION);
  EXPECT_EQ(m.MaskString(), "MS");
  m.AdjustMode(static_cast<SF_MASK_ADJUST>(9));
  EXPECT_EQ(m.MaskString(), "M");
  auto c = m.Copy();
  EXPECT_EQ(c->MaskMode(), MASKED_BY_MASK_CRITERION);
}

TEST(SF_MaskRow, CellsWidenTheRangeAndCopyDeeply) {
  auto r = row(17, 40, {30});
  r->LGB(29);
  EXPECT_EQ(r->LowBand(), 17);
  EXPECT_EQ(r->HighBand(), 40);
  EXPECT_THROW(r->Mask(41), SF_DataError);
  auto c = r->Copy();
  EXPECT_EQ(c->LGB(), 29);
  EXPECT_EQ(c->Mask(30)->MaskString(), "M-");
  EXPECT_NE(c->Mask(30), r->Mask(30));
  c->Mask(30)->MaskString("--");
  EXPECT_EQ(r->Mask(30)->MaskString(), "M-");

  SF_MaskRow gap;
  gap.Mask(10, std::make_shared<SF_Mask>());
  gap.Mask(12, std::make_shared<SF_Mask>());
  EXPECT_THROW(gap.Copy(), SF_DataError);
  EXPECT_THROW(gap.Mask(11, nullptr), SF_DataError);
}

TEST(SF_MaskMap, LastGoodBandOfEveryRow) {
  SF_MaskMap map;
  map.Row(1, row(17, 40, {29}));
  map.Row(2, row(17, 40, {28, 29}));
  map.Row(3, row(17, 40, {20}));
  map.Row(4, row(17, 40, {33, 34, 35, 36, 37, 38, 39, 40}));
  map.Row(5, row(17, 40, {28}));
  map.Row(3)->LGB(12);
  map.setLGB();
  EXPECT_EQ(map.Row(1)->LGB(), 28);
  EXPECT_EQ(map.Row(2)->LGB(), 9999);
  EXPECT_EQ(map.Row(3)->LGB(), 0);
  EXPECT_EQ(map.Row(4)->LGB(), 32);
  EXPECT_EQ(map.Row(5)->LGB(), 0);
}

TEST(SF_MaskMap, LastGoodBandNeedsBands28And29) {
  SF_MaskMap map;
  map.Row(1, row(30, 40));
  EXPECT_THROW(map.setLGB(), SF_DataError);
}

TEST(SF_MaskMap, CopyIsDeep) {
  SF_MaskMap map;
  map.Row(1, row(17, 20));
  map.Row(2, row(17, 20, {18}));
  auto c = map.Copy();
  EXPECT_EQ(c->Count(), 2);
  EXPECT_EQ(c->Row(2)->Mask(18)->MaskMode(), MASKED_BY_MASK_CRITERION);
  EXPECT_NE(c->Row(2), map.Row(2));
  EXPECT_THROW(map.Row(3), SF_DataError);
}

TEST(SF_SpectralTimeHistory, LastGoodBandMetricFromAMaskMap) {
  SF_SpectralTimeHistory empty;
  auto h = empty.Init(1, 3, 17, 40);
  SF_MaskMap map;
  map.Row(1, row(17, 40, {29}));
  map.Row(2, row(17, 40, {28, 29}));
  map.Row(3, row(17, 40));
  h->spectrum(3)->Metric()->LGB(31);
  h->setLGB(map);
  EXPECT_EQ(h->spectrum(1)->Metric()->LGB(), 28.0f);
  EXPECT_EQ(h->spectrum(2)->Metric()->LGB(), 9999.0f);
  EXPECT_EQ(h->spectrum(3)->Metric()->LGB(), 0.0f);
}

TEST(SF_SpectralTimeHistory, EncompassesAMaskMapOfTheSameRecords) {
  SF_SpectralTimeHistory empty;
  auto h = empty.Init(1, 2, 10, 43);
  SF_MaskMap map;
  map.Row(1, row(17, 40));
  EXPECT_FALSE(h->EncompassesMask(map));  // counts differ
  map.Row(2, row(17, 40));
  EXPECT_TRUE(h->EncompassesMask(map));
  map.Row(2, row(17, 44));
  EXPECT_FALSE(h->EncompassesMask(map));
  EXPECT_TRUE(map.Row(1)->Encompasses(*map.Row(1)));
  EXPECT_FALSE(map.Row(1)->Encompasses(*h->spectrum(1)));
}
