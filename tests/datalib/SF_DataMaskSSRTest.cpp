// Masking map files and single spectrum record files.

#include <filesystem>

#include <gtest/gtest.h>

#include "SF_DataMask.h"
#include "SF_DataSSR.h"
#include "FormatTestSupport.h"
#include "../support/CrLfLines.h"

namespace {

std::string cellText(int r, int b) {
  if (r == 1) return b >= 33 ? "MS" : "--";
  return b == 28 || b == 29 ? "AF" : (b == 20 ? "-C" : "--");
}

SF_MaskMap twoRows() {
  SF_MaskMap map;
  for (int r = 1; r <= 2; ++r) {
    auto row = std::make_shared<SF_MaskRow>();
    for (int b = 17; b <= 40; ++b) {
      auto cell = std::make_shared<SF_Mask>();
      cell->MaskString(cellText(r, b));
      row->Mask(static_cast<std::int16_t>(b), cell);
    }
    map.Row(static_cast<std::int16_t>(r), row);
  }
  map.setLGB();
  return map;
}

}  // namespace

TEST(DataMask, WritesBandsTitlesCellsAndLastGoodBands) {
  FixedClock clock;
  TempDir dir;
  auto h = std::make_shared<SF_HeaderMask>();
  h->sGeneratedBy = "VORN test";
  h->cCommentLines = {"background from run 3"};
  const std::string name = dir.file("two.msk");
  ASSERT_EQ(SF_DataMask().writeFile(name, h, twoRows()), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), golden("mask_two.msk"));
  EXPECT_EQ(h->lNumberRows, 2);
  EXPECT_EQ(h->iBandLow, 17);
  EXPECT_EQ(h->iBandHigh, 40);
}

TEST(DataMask, ReadsTheSameCellsBack) {
  std::shared_ptr<SF_HeaderMask> h;
  std::shared_ptr<SF_MaskMap> map;
  ASSERT_EQ(SF_DataMask().readFile(goldenPath("mask_two.msk"), h, map), SF_DATA_OK);
  EXPECT_EQ(h->sFileName, "two.msk");
  EXPECT_EQ(h->lNumberRows, 2);
  EXPECT_EQ(h->iBandLow, 17);
  EXPECT_EQ(h->iBandHigh, 40);
  EXPECT_EQ(h->cCommentLines, std::vector<std::string>{"background from run 3"});
  EXPECT_EQ(h->sColumnLabels, splitLines(golden("mask_two.msk"))[11]);
  ASSERT_EQ(map->Count(), 2);
  for (int r = 1; r <= 2; ++r)
    for (int b = 17; b <= 40; ++b)
      EXPECT_EQ(map->Row(static_cast<std::int16_t>(r))->Mask(static_cast<std::int16_t>(b))->MaskString(), cellText(r, b));
  EXPECT_EQ(map->Row(1)->LGB(), 32);
  EXPECT_EQ(map->Row(2)->LGB(), 9999);
  EXPECT_EQ(map->Row(2)->Mask(28)->MaskMode(), MASKED_BY_PRE_DETECT);
  EXPECT_EQ(map->Row(2)->Mask(28)->AdjustMode(), FREQUENCY_EXTRAPOLATION);
}

TEST(DataMask, BadFilesAndEmptyMapsFail) {
  TempDir dir;
  const std::string name = dir.file("bad.msk");
  const auto good = splitLines(golden("mask_two.msk"));
  const std::vector<std::pair<std::size_t, std::string>> changes = {
      {0, "FileType**,Spectrum Record"}, {3, "NumberOfRows**,two"},  {4, "Bands**,17"},
      {4, "Bands**,17, 41"},            {8, "OtherRecords**,50"},    {9, "NumberOfCommentLines**,-1"},
      {12, "1,--,--,32"},               {12, good[12].substr(0, good[12].size() - 2) + "x2"},
      {13, "70000" + good[13].substr(1)},
  };
  for (const auto& [line, text] : changes) {
    auto lines = good;
    lines[line] = text;
    TempDir::write(name, joinLines(lines));
    std::shared_ptr<SF_HeaderMask> h;
    std::shared_ptr<SF_MaskMap> map;
    EXPECT_EQ(SF_DataMask().readFile(name, h, map), SF_DATA_FILE_ERROR) << text;
    EXPECT_FALSE(h || map);
  }
  TempDir::write(name, joinLines(std::vector<std::string>(good.begin(), good.begin() + 11)));
  std::shared_ptr<SF_HeaderMask> h;
  std::shared_ptr<SF_MaskMap> map;
  EXPECT_EQ(SF_DataMask().readFile(name, h, map), SF_DATA_FILE_ERROR);

  auto header = std::make_shared<SF_HeaderMask>();
  EXPECT_EQ(SF_DataMask().writeFile(dir.file("empty.msk"), header, SF_MaskMap()), SF_DATA_FILE_ERROR);
  EXPECT_FALSE(std::filesystem::exists(dir.file("empty.msk")));
}

TEST(DataSSR, WritesLabelsAndLevelsOfTheSpectrumsBands) {
  FixedClock clock;
  TempDir dir;
  SF_Spectrum s;
  for (int b = 20; b <= 30; ++b) s.SPL(static_cast<std::int16_t>(b), 40.0 + b);
  s.SPL(20, 0.5);
  s.SPL(30, 72.346);
  s.Level(99);
  auto h = std::make_shared<SF_HeaderSSR>();
  h->cCommentLines = {"measured at M1", "windscreen on"};
  const std::string name = dir.file("one.ssr");
  SF_DataSSR ssr;
  ASSERT_EQ(ssr.writeFile(name, h, s), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), golden("ssr_20_30.ssr"));
  EXPECT_EQ(ssr.Header(), h);
  EXPECT_EQ(h->sFileName, name);
}

TEST(DataSSR, ReadsTheBandRangeFromTheLabels) {
  SF_DataSSR ssr;
  std::shared_ptr<SF_Spectrum> s;
  std::shared_ptr<SF_HeaderSSR> h;
  ASSERT_EQ(ssr.readFile(goldenPath("ssr_20_30.ssr"), s, &h), SF_DATA_OK);
  EXPECT_EQ(s->LowBand(), 20);
  EXPECT_EQ(s->HighBand(), 30);
  EXPECT_EQ(s->SPL(20), 0.5);
  EXPECT_EQ(s->SPL(25), 65.0);
  EXPECT_EQ(s->SPL(30), 72.35);
  EXPECT_EQ(h->cCommentLines, (std::vector<std::string>{"measured at M1", "windscreen on"}));
  EXPECT_EQ(h->sFileName, "one.ssr");

  std::shared_ptr<SF_Spectrum> withoutHeader;
  ASSERT_EQ(ssr.readFile(goldenPath("ssr_20_30.ssr"), withoutHeader), SF_DATA_OK);
  EXPECT_EQ(withoutHeader->HighBand(), 30);
}

TEST(DataSSR, BadFilesAndUnlabelledBandsFail) {
  TempDir dir;
  const std::string name = dir.file("bad.ssr");
  const auto good = splitLines(golden("ssr_20_30.ssr"));
  const std::vector<std::pair<std::size_t, std::string>> changes = {
      {0, "FileType**,Masking Map"},      {3, "NumberOfCommentLines**,7"}, {3, "NumberOfCommentLines**,"},
      {6, "X20/100Hz,B30/1kHz"},          {6, "B30/1kHz,B20/100Hz"},       {6, "B99999/1Hz,B20/100Hz"},
      {7, ".50,61.00,62.00"},             {7, ".50,61.00,62.00,63.00,64.00,65.00,66.00,67.00,68.00,69.00,loud"},
  };
  SF_DataSSR ssr;
  for (const auto& [line, text] : changes) {
    auto lines = good;
    lines[line] = text;
    TempDir::write(name, joinLines(lines));
    std::shared_ptr<SF_Spectrum> s;
    EXPECT_EQ(ssr.readFile(name, s), SF_DATA_FILE_ERROR) << text;
    EXPECT_FALSE(s);
  }
  TempDir::write(name, joinLines(std::vector<std::string>(good.begin(), good.begin() + 7)));
  std::shared_ptr<SF_Spectrum> s;
  EXPECT_EQ(ssr.readFile(name, s), SF_DATA_FILE_ERROR);

  auto h = std::make_shared<SF_HeaderSSR>();
  EXPECT_EQ(ssr.writeFile(dir.file("e.ssr"), h, SF_Spectrum()), SF_DATA_FILE_ERROR);
  SF_Spectrum band1;
  band1.SPL(1, 50);
  band1.SPL(2, 50);
  EXPECT_EQ(ssr.writeFile(dir.file("e.ssr"), h, band1), SF_DATA_FILE_ERROR);
  EXPECT_FALSE(std::filesystem::exists(dir.file("e.ssr")));
}

// Bands 44 to 47 only, every adjust letter that the other map lacks, last good
// bands of 0 and 9999, a generation file that does not exist.
TEST(DataMask, SparseBandsAndRareLettersAreWrittenAndReadExactly) {
  FixedClock clock;
  const char* cells[2][4] = {{"FT", "-R", "--", "M-"}, {"AA", "--", "MC", "-S"}};
  SF_MaskMap map;
  for (int r = 1; r <= 2; ++r) {
    auto row = std::make_shared<SF_MaskRow>();
    for (int b = 44; b <= 47; ++b) {
      auto cell = std::make_shared<SF_Mask>();
      cell->MaskString(cells[r - 1][b - 44]);
      row->Mask(static_cast<std::int16_t>(b), cell);
    }
    row->LGB(r == 1 ? 0 : 9999);
    map.Row(static_cast<std::int16_t>(r), row);
  }
  const std::string by = "Background masking pass 2 of 3, criterion 10 dB below the event, operator J. Smith";
  auto h = std::make_shared<SF_HeaderMask>();
  h->sGeneratedBy = by;
  h->sGenerationFile = "/no/such/folder/run 3.sth";
  h->cOtherRecords = {"rec a", "rec b"};
  TempDir dir;
  const std::string name = dir.file("sparse.msk");
  ASSERT_EQ(SF_DataMask().writeFile(name, h, map), SF_DATA_OK);
  const std::string titles = "Rec#,B44/25kHz,B45/31.5kHz,B46/40kHz,B47/50kHz,LGB";
  EXPECT_EQ(TempDir::read(name), crlf({
                                     "FileType**,Masking Map",
                                     "FileName**,sparse.msk",
                                     "FileDateTime**,10/01/2005,13:04:05",
                                     "NumberOfRows**,2",
                                     "Bands**,44, 47",
                                     "GeneratedBy**," + by,
                                     "GenerationFile**,run 3.sth",
                                     "GenerationFileDateTime**,",
                                     "OtherRecords**,2",
                                     "rec a",
                                     "rec b",
                                     "NumberOfCommentLines**,0",
                                     titles,
                                     "1,FT,-R,--,M-,0",
                                     "2,AA,--,MC,-S,9999",
                                 }));
  std::shared_ptr<SF_HeaderMask> rh;
  std::shared_ptr<SF_MaskMap> rm;
  ASSERT_EQ(SF_DataMask().readFile(name, rh, rm), SF_DATA_OK);
  EXPECT_EQ(rh->lNumberRows, 2);
  EXPECT_EQ(rh->iBandLow, 44);
  EXPECT_EQ(rh->iBandHigh, 47);
  EXPECT_EQ(rh->sGeneratedBy, by);
  EXPECT_EQ(rh->sGenerationFile, "run 3.sth");
  EXPECT_EQ(rh->sColumnLabels, titles);
  EXPECT_EQ(rh->cOtherRecords, (std::vector<std::string>{"rec a", "rec b"}));
  ASSERT_EQ(rm->Count(), 2);
  EXPECT_EQ(rm->Row(1)->Mask(44)->MaskMode(), MASKED_BY_POST_DETECT);
  EXPECT_EQ(rm->Row(1)->Mask(44)->AdjustMode(), TIME_EXTRAPOLATION);
  EXPECT_EQ(rm->Row(1)->Mask(45)->AdjustMode(), ADJ_TO_REFERENCE);
  EXPECT_EQ(rm->Row(2)->Mask(44)->MaskMode(), MASKED_BY_PRE_DETECT);
  EXPECT_EQ(rm->Row(2)->Mask(44)->AdjustMode(), AVG_OF_ADJACENT);
  EXPECT_EQ(rm->Row(2)->Mask(46)->AdjustMode(), CORRECTIONS_APPLIED);
  EXPECT_EQ(rm->Row(2)->Mask(47)->AdjustMode(), ENERGY_SUBTRACTION);
  EXPECT_EQ(rm->Row(1)->LGB(), 0);
  EXPECT_EQ(rm->Row(2)->LGB(), 9999);
}

// The lowest labelled bands, and the highest alone; negative, zero,
// three-digit and exactly-half levels.
TEST(DataSSR, LowAndHighBandsAndUnusualLevelsAreWrittenExactly) {
  FixedClock clock;
  TempDir dir;
  SF_Spectrum low;
  low.SPL(2, -0.625);
  low.SPL(3, 0);
  low.SPL(4, 100);
  low.SPL(5, 99.875);
  const std::string name = dir.file("low.ssr");
  ASSERT_EQ(SF_DataSSR().writeFile(name, std::make_shared<SF_HeaderSSR>(), low), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), crlf({
                                     "FileType**,Spectrum Record",
                                     "FileName**,low.ssr",
                                     "FileDateTime**,10/01/2005,13:04:05",
                                     "NumberOfCommentLines**,0",
                                     "B2/1.6Hz,B3/2Hz,B4/2.5Hz,B5/3.15Hz",
                                     "-.63,.00,100.00,99.88",
                                 }));
  std::shared_ptr<SF_Spectrum> s;
  ASSERT_EQ(SF_DataSSR().readFile(name, s), SF_DATA_OK);
  EXPECT_EQ(s->LowBand(), 2);
  EXPECT_EQ(s->HighBand(), 5);
  EXPECT_EQ(s->SPL(2), -0.63);
  EXPECT_EQ(s->SPL(5), 99.88);

  SF_Spectrum top;
  top.SPL(50, 12.5);
  auto h = std::make_shared<SF_HeaderSSR>();
  h->cCommentLines = {"a, b and c"};
  ASSERT_EQ(SF_DataSSR().writeFile(name, h, top), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), crlf({
                                     "FileType**,Spectrum Record",
                                     "FileName**,low.ssr",
                                     "FileDateTime**,10/01/2005,13:04:05",
                                     "NumberOfCommentLines**,1",
                                     "a, b and c",
                                     "B50/100kHz",
                                     "12.50",
                                 }));
  std::shared_ptr<SF_HeaderSSR> rh;
  ASSERT_EQ(SF_DataSSR().readFile(name, s, &rh), SF_DATA_OK);
  EXPECT_EQ(s->LowBand(), 50);
  EXPECT_EQ(s->HighBand(), 50);
  EXPECT_EQ(s->SPL(50), 12.5);
  EXPECT_EQ(rh->cCommentLines, std::vector<std::string>{"a, b and c"});
}
