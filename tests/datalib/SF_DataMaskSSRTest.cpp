// Masking map files and single spectrum record files.

#include <filesystem>

#include <gtest/gtest.h>

#include "SF_DataMask.h"
#include "SF_DataSSR.h"
#include "FormatTestSupport.h"

namespace {

std::vector<std::string> splitLines(const std::string& bytes) {
  std::vector<std::string> out;
  for (std::size_t from = 0; from < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", from);
    out.push_back(bytes.substr(from, end - from));
    from = end + 2;
  }
  return out;
}

std::string join(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

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
    TempDir::write(name, join(lines));
    std::shared_ptr<SF_HeaderMask> h;
    std::shared_ptr<SF_MaskMap> map;
    EXPECT_EQ(SF_DataMask().readFile(name, h, map), SF_DATA_FILE_ERROR) << text;
    EXPECT_FALSE(h || map);
  }
  TempDir::write(name, join(std::vector<std::string>(good.begin(), good.begin() + 11)));
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
    TempDir::write(name, join(lines));
    std::shared_ptr<SF_Spectrum> s;
    EXPECT_EQ(ssr.readFile(name, s), SF_DATA_FILE_ERROR) << text;
    EXPECT_FALSE(s);
  }
  TempDir::write(name, join(std::vector<std::string>(good.begin(), good.begin() + 7)));
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
