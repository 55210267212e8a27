#include <gtest/gtest.h>

#include "SF_DataINI.h"
#include "FormatTestSupport.h"

TEST(DataINI, NewObjectWritesTheFourHeaderLinesOnly) {
  FixedClock clock;
  TempDir dir;
  SF_DataINI ini;
  const std::string name = dir.file("new.ini");
  ASSERT_EQ(ini.writeFile(name), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), golden("ini_new.ini"));
  EXPECT_EQ(ini.FileName(), name);
}

TEST(DataINI, ParametersUseTheirKeywordsWithABlankAndSkipUnsetValues) {
  FixedClock clock;
  TempDir dir;
  SF_DataINI ini;
  ini.Comments({"site 4, north fence", "wind calm"});
  ini.CalAdj(-0.25f);
  ini.NuAvg(SF_4S95);
  ini.NuTimg(SF_MIDPT);
  ini.PrWndo(2.5f);
  ini.PoWndo(-1.0f);  // only a positive post-event window is written
  ini.LoRec(3);
  ini.HiRec(240);
  const std::string name = dir.file("full.ini");
  ASSERT_EQ(ini.writeFile(name), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), golden("ini_full.ini"));
}

TEST(DataINI, ReadsWhatItWroteAndCutsCommentsAtTheirComma) {
  SF_DataINI ini;
  ASSERT_EQ(ini.readFile(goldenPath("ini_full.ini")), SF_DATA_OK);
  EXPECT_EQ(ini.FileName(), "full.ini");
  EXPECT_EQ(ini.CalAdj(), -0.25f);
  EXPECT_EQ(ini.NuAvg(), SF_4S95);
  EXPECT_EQ(ini.NuTimg(), SF_MIDPT);
  EXPECT_EQ(ini.PrWndo(), 2.5f);
  EXPECT_EQ(ini.PoWndo(), 0.0f);
  EXPECT_EQ(ini.LoRec(), 3);
  EXPECT_EQ(ini.HiRec(), 240);
  EXPECT_EQ(ini.Comments(), (std::vector<std::string>{"site 4", "wind calm"}));
  EXPECT_EQ(ini.FileDate()->CurrentDate(), 38626.0);  // 1 October 2005
  EXPECT_EQ(ini.FileDate()->TODseconds(), 13 * 3600.0 + 4 * 60 + 5);

  // Reading again adds the comments to those already held.
  ASSERT_EQ(ini.readFile(goldenPath("ini_full.ini")), SF_DATA_OK);
  EXPECT_EQ(ini.Comments().size(), 4u);
}

TEST(DataINI, KeywordCaseIsFreeButNameCaseCounts) {
  TempDir dir;
  const std::string name = dir.file("k.ini");
  SF_DataINI ini;
  TempDir::write(name, crlf({"nuavg**, 4S100", "NUTIMG**, oldslo", "hirec**, 7", "Something**, else", "free text"}));
  ASSERT_EQ(ini.readFile(name), SF_DATA_OK);
  EXPECT_EQ(ini.NuAvg(), SF_4S100);
  EXPECT_EQ(ini.NuTimg(), SF_START);  // not a name of the table
  EXPECT_EQ(ini.HiRec(), 7);

  TempDir::write(name, crlf({"NuAvg**, 4s100"}));
  ASSERT_EQ(ini.readFile(name), SF_DATA_OK);
  EXPECT_EQ(ini.NuAvg(), SF_LINEAR);
  EXPECT_EQ(ini.NuTimg(), SF_DataINI::NOT_SET);

  TempDir::write(name, crlf({"FileType**,Variable Initialization File"}));
  ASSERT_EQ(ini.readFile(name), SF_DATA_OK);
  EXPECT_EQ(ini.NuAvg(), SF_NA);
  EXPECT_EQ(ini.HiRec(), 7);  // kept: no line set it
}

TEST(DataINI, BadValuesFailAndChangeNothing) {
  TempDir dir;
  const std::string name = dir.file("bad.ini");
  SF_DataINI ini;
  ini.LoRec(5);
  ini.Comments({"kept"});
  for (const std::string& bad :
       {crlf({"LoRec**, 40000"}), crlf({"LoRec**, x"}), crlf({"CalAdj**, 1.5dB"}), crlf({"PrWndo**,"}),
        crlf({"NumberOfCommentLines**,3", "a", "b"}), crlf({"NumberOfCommentLines**,-1"}),
        crlf({"NumberOfCommentLines**,99999999999999999999"}), crlf({"FileDateTime**,13/45/2005,10:00:00"}),
        crlf({"NumberOfCommentLines**,1", "new comment", "LoRec**, 1.5"})}) {
    ASSERT_EQ(ini.readFile(name), SF_DATA_FILE_ERROR) << "missing file";
    TempDir::write(name, bad);
    EXPECT_EQ(ini.readFile(name), SF_DATA_FILE_ERROR) << bad;
    EXPECT_EQ(ini.LoRec(), 5);
    EXPECT_EQ(ini.Comments(), std::vector<std::string>{"kept"});
    std::filesystem::remove(name);
  }
}

TEST(DataINI, WriteToAnUnwritablePlaceFails) {
  TempDir dir;
  SF_DataINI ini;
  EXPECT_EQ(ini.writeFile(dir.file("no/such/dir/x.ini")), SF_DATA_FILE_ERROR);
}

// Values of zero enumerations are written (only 99 means unset), a negative
// pre-event window is written, large and fractional singles in decimals.
TEST(DataINI, ZeroNamesNegativeWindowsAndLargeValuesAreWrittenExactly) {
  FixedClock clock;
  TempDir dir;
  SF_DataINI ini;
  ini.Comments({"wind 5 m/s from 270"});
  ini.CalAdj(20000000.0f);
  ini.NuAvg(SF_LINEAR);
  ini.NuTimg(SF_START);
  ini.PrWndo(-0.125f);
  ini.PoWndo(0.1f);
  ini.LoRec(-5);
  ini.HiRec(32767);
  const std::string name = dir.file("odd.ini");
  ASSERT_EQ(ini.writeFile(name), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), crlf({
                                     "FileType**,Variable Initialization File",
                                     "FileName**,odd.ini",
                                     "FileDateTime**,10/01/2005,13:04:05",
                                     "NumberOfCommentLines**,1",
                                     "wind 5 m/s from 270",
                                     "CalAdj**, 20000000",
                                     "NuAvg**, LINEAR",
                                     "NuTimg**, START",
                                     "PrWndo**, -0.125",
                                     "PoWndo**, 0.1",
                                     "LoRec**, -5",
                                     "HiRec**, 32767",
                                 }));
  SF_DataINI back;
  ASSERT_EQ(back.readFile(name), SF_DATA_OK);
  EXPECT_EQ(back.CalAdj(), 20000000.0f);
  EXPECT_EQ(back.NuAvg(), SF_LINEAR);
  EXPECT_EQ(back.NuTimg(), SF_START);
  EXPECT_EQ(back.PrWndo(), -0.125f);
  EXPECT_EQ(back.PoWndo(), 0.1f);
  EXPECT_EQ(back.LoRec(), -5);
  EXPECT_EQ(back.HiRec(), 32767);
  EXPECT_EQ(back.Comments(), std::vector<std::string>{"wind 5 m/s from 270"});
}
