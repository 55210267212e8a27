// Position, geometry, microphone and tracking-data files.

#include <filesystem>

#include <gtest/gtest.h>

#include "SF_DataGTH.h"
#include "SF_DataMIC.h"
#include "SF_DataPTH.h"
#include "SF_DataTSPI.h"
#include "FormatTestSupport.h"
#include "../support/CrLfLines.h"

namespace {

std::shared_ptr<SF_Position> position(double tod, double x, double y, double z) {
  auto p = std::make_shared<SF_Position>();
  p->Time()->TODseconds(tod);
  p->X(x);
  p->Y(y);
  p->Z(z);
  return p;
}

// Each replaced line, one at a time, must make the reader fail.
template <typename Read>
void expectEachChangeFails(const std::string& goldenName, const std::vector<std::pair<std::size_t, std::string>>& changes,
                           Read read) {
  TempDir dir;
  const std::string name = dir.file("changed");
  const auto good = splitLines(golden(goldenName));
  for (const auto& [line, text] : changes) {
    auto lines = good;
    if (line < lines.size())
      lines[line] = text;
    else
      lines.push_back(text);
    TempDir::write(name, joinLines(lines));
    EXPECT_EQ(read(name), SF_DATA_FILE_ERROR) << goldenName << " line " << line + 1 << ": " << text;
  }
  // Every shorter file is read without harm; one cut inside the header fails.
  for (std::size_t keep = 1; keep < good.size(); ++keep) {
    TempDir::write(name, joinLines(std::vector<std::string>(good.begin(), good.begin() + static_cast<long>(keep))));
    read(name);
  }
  TempDir::write(name, joinLines(std::vector<std::string>(good.begin(), good.begin() + 4)));
  EXPECT_EQ(read(name), SF_DATA_FILE_ERROR) << goldenName << " cut after line 4";
}

}  // namespace

TEST(DataPTH, WritesHeaderTitlesAndPositionsExactly) {
  FixedClock clock;
  TempDir dir;
  SF_PositionTimeHistory pth;
  pth.Position(1, position(36000, 1250.5, -300.25, 150));
  pth.Position(2, position(36000.5, 1260.125, -301, 150.1));
  auto h = std::make_shared<SF_HeaderPTH>();
  h->sProjectName = "Quarry Road";
  h->sGeneratedBy = "VORN test";
  h->cOtherRecords = {"tracker 7"};
  const std::string name = dir.file("two.pth");
  ASSERT_EQ(SF_DataPTH().writeFile(name, h, pth), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), golden("pth_two.pth"));
  EXPECT_EQ(h->lNumberRecords, 2);
  EXPECT_EQ(h->sFileName, name);
}

TEST(DataPTH, ReadsPositionsUnderRunningNumbers) {
  std::shared_ptr<SF_HeaderPTH> h;
  std::shared_ptr<SF_PositionTimeHistory> pth;
  ASSERT_EQ(SF_DataPTH().readFile(goldenPath("pth_two.pth"), h, pth), SF_DATA_OK);
  EXPECT_EQ(h->sFileType, "Position Time-History");
  EXPECT_EQ(h->sFileName, "two.pth");
  EXPECT_EQ(h->sProjectName, "Quarry Road");
  EXPECT_EQ(h->lNumberRecords, 2);
  EXPECT_EQ(h->nOtherRecords, 1);
  EXPECT_EQ(h->cOtherRecords, std::vector<std::string>{"tracker 7"});
  EXPECT_EQ(h->sfFileDateTime->CurrentDate(), 38626.0);
  ASSERT_EQ(pth->Count(), 2);
  EXPECT_EQ(pth->Position(2)->Time()->TODseconds(), 36000.5);
  EXPECT_EQ(pth->Position(2)->X(), 1260.125);
  EXPECT_EQ(pth->Position(2)->Z(), 150.1);
  EXPECT_EQ(pth->Position(1)->Y(), -300.25);
}

TEST(DataPTH, OtherTypesAndBadLinesFail) {
  auto read = [](const std::string& name) {
    std::shared_ptr<SF_HeaderPTH> h;
    std::shared_ptr<SF_PositionTimeHistory> pth;
    const auto r = SF_DataPTH().readFile(name, h, pth);
    if (r != SF_DATA_OK) {
      EXPECT_FALSE(h || pth);
    }
    return r;
  };
  expectEachChangeFails("pth_two.pth",
                        {{0, "FileType**,Geometric Time-History"}, {7, "NumberRecords**,many"},
                         {8, "OtherRecords**,40000"}, {8, "OtherRecords**,-2"}, {10, "NumberOfCommentLines**,3"},
                         {12, "10:00:00,1250.5,-300.25"}, {12, "10:00,1,2,3"}, {13, "10:00:00.5,1x,2,3"},
                         {2, "FileDateTime**,10/01/2005,25:00:00"}},
                        read);
  for (std::size_t keep : {1u, 5u, 9u, 11u}) {
    TempDir dir;
    const auto lines = splitLines(golden("pth_two.pth"));
    TempDir::write(dir.file("t"), joinLines(std::vector<std::string>(lines.begin(), lines.begin() + keep)));
    EXPECT_EQ(read(dir.file("t")), SF_DATA_FILE_ERROR) << keep;
  }
}

TEST(DataGTH, WritesEveryValueAndTheDebugTime) {
  FixedClock clock;
  TempDir dir;
  SF_GeometryTimeHistory gth;
  const double values[2][10] = {{36000.25, 35999.5, 0.75, 100.5, 200.25, 300, 374.5, 45.5, 12.25, 3.5},
                                {36000.75, 36000, 0.8, 101, 201, 301, 375.25, 46, 12.5, 4}};
  for (int i = 0; i < 2; ++i) {
    auto g = std::make_shared<SF_Geometry>();
    const double* v = values[i];
    g->Tm()->TODseconds(v[0]);
    g->Te()->TODseconds(v[1]);
    g->Tprope(v[2]);
    g->Pe()->X(v[3]);
    g->Pe()->Y(v[4]);
    g->Pe()->Z(v[5]);
    g->SRe(v[6]);
    g->THETAe(v[7]);
    g->BETAe(v[8]);
    g->debugTime(v[9]);
    gth.Point(i + 1, g);
  }
  auto h = std::make_shared<SF_HeaderGTH>();
  h->ProjectName = "Quarry Road";
  h->GeneratedBy = "VORN test";
  h->MicrophoneID = "M1";
  h->MicrophonePosition->X(10.5);
  h->MicrophonePosition->Y(-20);
  h->MicrophonePosition->Z(1.2);
  h->Temperature = 15.5f;
  h->STHFileName = "run.sth";
  h->STHFileDateTime = "09/30/2005,08:00:00";
  h->PTHFileDateTime = "not a date";
  h->NumberRecords = 2;
  const std::string name = dir.file("two.gth");
  ASSERT_EQ(SF_DataGTH().writeFile(name, h, gth), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), golden("gth_two.gth"));

  // A source that names an existing file gives that file's date and time.
  h->MICFileName = h->MICFileDateTime = name;
  ASSERT_EQ(SF_DataGTH().writeFile(name, h, gth), SF_DATA_OK);
  const auto lines = splitLines(TempDir::read(name));
  EXPECT_EQ(lines[12], "MICFileName**,two.gth");
  EXPECT_EQ(lines[13].substr(0, 13), "MICDateTime**");
  EXPECT_EQ(lines[13].size(), 13u + 1 + 19);
}

TEST(DataGTH, ReadsPointsUnderTheirNumbersWithoutTheDebugTime) {
  std::shared_ptr<SF_HeaderGTH> h;
  std::shared_ptr<SF_GeometryTimeHistory> gth;
  ASSERT_EQ(SF_DataGTH().readFile(goldenPath("gth_two.gth"), h, gth), SF_DATA_OK);
  EXPECT_EQ(h->MicrophoneID, "M1");
  EXPECT_EQ(h->MicrophonePosition->Z(), 1.2);
  EXPECT_EQ(h->Temperature, 15.5f);
  EXPECT_EQ(h->STHFileName, "run.sth");
  EXPECT_EQ(h->STHFileDateTime, "09/30/2005,08:00:00");
  EXPECT_EQ(h->NumberRecords, 2);
  ASSERT_EQ(gth->Count(), 2);
  const auto g = gth->Point(1);
  EXPECT_EQ(g->Tm()->TODseconds(), 36000.25);
  EXPECT_EQ(g->Te()->TODseconds(), 35999.5);
  EXPECT_EQ(g->Tprope(), 0.75);
  EXPECT_EQ(g->Pe()->Y(), 200.25);
  EXPECT_EQ(g->SRe(), 374.5);
  EXPECT_EQ(g->THETAe(), 45.5f);
  EXPECT_EQ(g->BETAe(), 12.25f);
  EXPECT_EQ(g->debugTime(), 0.0);
  EXPECT_EQ(gth->Point(2)->Tprope(), 0.8);

  auto lines = splitLines(golden("gth_two.gth"));
  lines[18].replace(0, 1, "7");
  TempDir dir;
  TempDir::write(dir.file("n.gth"), joinLines(lines));
  ASSERT_EQ(SF_DataGTH().readFile(dir.file("n.gth"), h, gth), SF_DATA_OK);
  EXPECT_EQ(gth->Point(7)->SRe(), 374.5);
}

TEST(DataGTH, BadHeadersAndPointsFail) {
  auto read = [](const std::string& name) {
    std::shared_ptr<SF_HeaderGTH> h;
    std::shared_ptr<SF_GeometryTimeHistory> gth;
    return SF_DataGTH().readFile(name, h, gth);
  };
  expectEachChangeFails("gth_two.gth",
                        {{0, "FileType**,Position Time-History"}, {6, "MicrophonePosition**,1,2"},
                         {7, "PromptTemperature**,warm"}, {14, "NumberRecords**,1e99"}, {15, "OtherRecords**,9"},
                         {18, "1,10:00:00.25,09:59:59.5,0.75,100.5,200.25,300,374.5,45.5"},
                         {18, "40000,10:00:00.25,09:59:59.5,0.75,100.5,200.25,300,374.5,45.5,12.25,3.5"},
                         {19, "2,10:00:00.75,10:00:00,0.8,101,201,301,375.25,forty,12.5,4"}},
                        read);
}

TEST(DataMIC, ReadsHeaderAndTheDataLine) {
  std::shared_ptr<SF_HeaderMIC> h;
  std::shared_ptr<SF_Microphone> mic;
  ASSERT_EQ(SF_DataMIC().readFile(goldenPath("mic_one.mic"), h, mic), SF_DATA_OK);
  EXPECT_EQ(h->sFileType, "Microphone Position File");
  EXPECT_EQ(h->sFileName, "m1.mic");
  EXPECT_EQ(h->sProjectName, "Quarry Road");
  EXPECT_EQ(h->sMicrophoneID, "M1");
  EXPECT_EQ(h->cOtherRecords, std::vector<std::string>{"survey 2005"});
  EXPECT_EQ(h->cCommentLines, (std::vector<std::string>{"first comment", "second"}));
  EXPECT_EQ(h->sfFileDateTime->TODseconds(), 47045.0);
  EXPECT_EQ(mic->X(), 1250.5);
  EXPECT_EQ(mic->Y(), -300.25);
  EXPECT_EQ(mic->Z(), 12.0);
  EXPECT_EQ(mic->Height(), 1.5);

  auto read = [](const std::string& name) {
    std::shared_ptr<SF_HeaderMIC> hh;
    std::shared_ptr<SF_Microphone> m;
    return SF_DataMIC().readFile(name, hh, m);
  };
  expectEachChangeFails("mic_one.mic",
                        {{0, "FileType**,Masking Map"}, {5, "OtherRecords**,x"}, {7, "NumberOfCommentLines**,4"},
                         {11, "1250.5,-300.25,12"}, {11, "1250.5,-300.25,12,tall"}},
                        read);
  TempDir dir;
  const auto lines = splitLines(golden("mic_one.mic"));
  TempDir::write(dir.file("cut.mic"), joinLines(std::vector<std::string>(lines.begin(), lines.end() - 1)));
  EXPECT_EQ(read(dir.file("cut.mic")), SF_DATA_FILE_ERROR);
}

TEST(DataTSPI, DropsFixesOfPoorQualityAndNumbersTheRest) {
  TempDir dir;
  const std::string name = dir.file("track.tsp");
  const std::vector<std::string> head = {"h1", "h2", "h3", "h4", "h5", "h6"};
  auto lines = head;
  lines.push_back("10:00:00,1,a,b,c,d,e,f,100,200,300");
  lines.push_back("10:00:01,3,a,b,c,d,e,f,,,");
  lines.push_back("10:00:02,0,a,b,c,d,e,f,102,202,302.5,extra");
  TempDir::write(name, joinLines(lines));
  SF_DataTSPI tspi;
  EXPECT_EQ(tspi.RT20Limit(), 1);
  std::shared_ptr<SF_PositionTimeHistory> pth;
  ASSERT_EQ(tspi.readFile(name, pth), SF_DATA_OK);
  EXPECT_EQ(tspi.nBadPositions(), 1);
  ASSERT_EQ(pth->Count(), 2);
  EXPECT_EQ(pth->Position(1)->X(), 100.0);
  EXPECT_EQ(pth->Position(2)->Time()->TODseconds(), 36002.0);
  EXPECT_EQ(pth->Position(2)->Z(), 302.5);

  tspi.RT20Limit(3);
  lines[7] = "10:00:01,3,a,b,c,d,e,f,101,201,301";
  TempDir::write(name, joinLines(lines));
  ASSERT_EQ(tspi.readFile(name, pth), SF_DATA_OK);
  EXPECT_EQ(tspi.nBadPositions(), 0);
  EXPECT_EQ(pth->Count(), 3);

  for (const std::string& bad : {std::string("10:00:03,x,a,b,c,d,e,f,1,2,3"), std::string("10:00:03,0,a,b,c,d,e,f,1,2"),
                                 std::string("later,0,a,b,c,d,e,f,1,2,3"), std::string("10:00:03,0,a,b,c,d,e,f,1,2,?")}) {
    auto withBad = lines;
    withBad.push_back(bad);
    TempDir::write(name, joinLines(withBad));
    std::shared_ptr<SF_PositionTimeHistory> none;
    EXPECT_EQ(tspi.readFile(name, none), SF_DATA_FILE_ERROR) << bad;
    EXPECT_FALSE(none);
  }
  TempDir::write(name, joinLines(head));
  ASSERT_EQ(tspi.readFile(name, pth), SF_DATA_OK);
  EXPECT_EQ(pth->Count(), 0);
  EXPECT_EQ(tspi.readFile(dir.file("missing"), pth), SF_DATA_FILE_ERROR);
}

// Coordinates of a million feet and more are written in decimals; times on
// both sides of midnight; a long project name after the keyword's blank.
TEST(DataPTH, LargeCoordinatesAndLongNamesAreWrittenInFull) {
  FixedClock clock;
  const std::string project = "Interstate 90 Widening, Segment C / Night Paving Trial, Receptors R1-R40 (revised)";
  SF_PositionTimeHistory pth;
  pth.Position(1, position(86399.75, 1500000, -0.125, 0));
  pth.Position(2, position(0.25, 12000000, 3.75, -0.001));
  auto h = std::make_shared<SF_HeaderPTH>();
  h->sProjectName = project;
  h->sGeneratedBy = "Tracker import 3.1";
  h->sTSPIFileName = "/no/such/folder/track.tsp";
  h->cCommentLines = {"positions in feet, site grid"};
  TempDir dir;
  const std::string name = dir.file("far.pth");
  ASSERT_EQ(SF_DataPTH().writeFile(name, h, pth), SF_DATA_OK);
  EXPECT_EQ(h->lNumberRecords, 2);
  EXPECT_EQ(TempDir::read(name), crlf({
                                     "FileType**,Position Time-History",
                                     "FileName**,far.pth",
                                     "FileDateTime**,10/01/2005,13:04:05",
                                     "ProjectName**, " + project,
                                     "GeneratedBy**,Tracker import 3.1",
                                     "TSPIFileName**,track.tsp",
                                     "TSPIFileDateTime**,",
                                     "NumberRecords**,2",
                                     "OtherRecords**,0",
                                     "NumberOfCommentLines**,1",
                                     "positions in feet, site grid",
                                     "TOD,X,Y,Z",
                                     "23:59:59.75,1500000,-0.125,0",
                                     "00:00:00.25,12000000,3.75,-0.001",
                                 }));
  std::shared_ptr<SF_HeaderPTH> rh;
  std::shared_ptr<SF_PositionTimeHistory> rp;
  ASSERT_EQ(SF_DataPTH().readFile(name, rh, rp), SF_DATA_OK);
  EXPECT_EQ(rh->sProjectName, project);
  EXPECT_EQ(rh->sTSPIFileName, "track.tsp");
  EXPECT_EQ(rh->cCommentLines, std::vector<std::string>{"positions in feet, site grid"});
  ASSERT_EQ(rp->Count(), 2);
  EXPECT_EQ(rp->Position(1)->X(), 1500000.0);
  EXPECT_EQ(rp->Position(1)->Time()->TODseconds(), 86399.75);
  EXPECT_EQ(rp->Position(2)->X(), 12000000.0);
  EXPECT_EQ(rp->Position(2)->Z(), -0.001);
}

TEST(DataGTH, NegativeTemperatureLargeRangesAndSourceNamesAreWrittenExactly) {
  FixedClock clock;
  const std::string project = "Interstate 90 Widening, Segment C / Night Paving Trial, Receptors R1-R40 (revised)";
  SF_GeometryTimeHistory gth;
  auto g = std::make_shared<SF_Geometry>();
  g->Tm()->TODseconds(86399.5);
  g->Te()->TODseconds(86398);
  g->Tprope(1.5);
  g->Pe()->X(250000);
  g->Pe()->Y(-3.125);
  g->Pe()->Z(10000);
  g->SRe(250000.5);
  g->THETAe(-45.25f);
  g->BETAe(0);
  g->debugTime(7.5);
  gth.Point(1, g);
  auto h = std::make_shared<SF_HeaderGTH>();
  h->ProjectName = project;
  h->MicrophoneID = "North fence, 1.5 m";
  h->MicrophonePosition->X(0);
  h->MicrophonePosition->Y(-1500000);
  h->MicrophonePosition->Z(4.25);
  h->Temperature = -12.5f;
  h->PTHFileName = "/data/run 7/track.pth";
  h->PTHFileDateTime = "09/30/2005,08:00:00";
  h->NumberRecords = 7;
  h->colOtherRecords = {"from survey 12"};
  TempDir dir;
  const std::string name = dir.file("cold.gth");
  ASSERT_EQ(SF_DataGTH().writeFile(name, h, gth), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), crlf({
                                     "FileType**,Geometric Time-History",
                                     "FileName**,cold.gth",
                                     "FileDateTime**,10/01/2005,13:04:05",
                                     "ProjectName**," + project,
                                     "GeneratedBy**,",
                                     "MicrophoneID**,North fence, 1.5 m",
                                     "MicrophonePosition**,0,-1500000,4.25",
                                     "PromptTemperature**,-12.5",
                                     "STHFileName**,",
                                     "STHFileDateTime**,",
                                     "PTHFileName**,track.pth",
                                     "PTHDateTime**,09/30/2005,08:00:00",
                                     "MICFileName**,",
                                     "MICDateTime**,",
                                     "NumberRecords**,7",
                                     "OtherRecords**,1",
                                     "from survey 12",
                                     "NumberOfCommentLines**,0",
                                     "REC#, Tm, Te, Tprope, Xe, Ye, Ze, SRe, THETAe, BETAe",
                                     "1,23:59:59.5,23:59:58,1.5,250000,-3.125,10000,250000.5,-45.25,0,7.5",
                                 }));
  std::shared_ptr<SF_HeaderGTH> rh;
  std::shared_ptr<SF_GeometryTimeHistory> rg;
  ASSERT_EQ(SF_DataGTH().readFile(name, rh, rg), SF_DATA_OK);
  EXPECT_EQ(rh->ProjectName, project);
  EXPECT_EQ(rh->MicrophoneID, "North fence, 1.5 m");
  EXPECT_EQ(rh->MicrophonePosition->Y(), -1500000.0);
  EXPECT_EQ(rh->Temperature, -12.5f);
  EXPECT_EQ(rh->PTHFileName, "track.pth");
  EXPECT_EQ(rh->PTHFileDateTime, "09/30/2005,08:00:00");
  EXPECT_EQ(rh->NumberRecords, 7);
  ASSERT_EQ(rg->Count(), 1);
  EXPECT_EQ(rg->Point(1)->Pe()->X(), 250000.0);
  EXPECT_EQ(rg->Point(1)->THETAe(), -45.25f);
  EXPECT_EQ(rg->Point(1)->debugTime(), 0.0);
}
