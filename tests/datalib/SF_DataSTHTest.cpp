#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>

#include "SF_DataSTH.h"
#include "FormatTestSupport.h"

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
    sth->spectrum(static_cast<std::int16_t>(r), s);
  }
  SF_Time start;
  start.TODseconds(36000);
  sth->setTimeStamps(start, SF_START, start, SF_OVERHEAD);
  sth->AverageMethod(SF_TRUSLO);
  return sth;
}

std::shared_ptr<SF_HeaderSTH> header() {
  auto h = std::make_shared<SF_HeaderSTH>();
  h->sProjectName = "Quarry Road";
  h->sMicrophoneID = "M1";
  h->sAdjustmentCode = "A0";
  h->sGeneratedBy = "VORN test";
  h->cOtherRecords = {"other one", "other two"};
  return h;
}

std::vector<std::string> fileLines(const std::string& bytes) {
  std::vector<std::string> out;
  std::size_t from = 0;
  while (from < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", from);
    out.push_back(bytes.substr(from, end - from));
    from = end + 2;
  }
  return out;
}

std::string joinLines(const std::vector<std::string>& lines, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count && i < lines.size(); ++i) out += lines[i] + "\r\n";
  return out;
}

}  // namespace

TEST(DataSTH, WritesTheKeywordHeaderAndLevelColumnsExactly) {
  FixedClock clock;
  TempDir dir;
  const std::string name = dir.file("three.sth");
  auto h = header();
  SF_DataSTH sth;
  ASSERT_EQ(sth.writeFile(name, h, *history(3, 17, 40)), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(name), golden("sth_three.sth"));
  EXPECT_EQ(h->sFileName, name);
  EXPECT_EQ(sth.Header(), h);
}

TEST(DataSTH, ReadsRecordsTimesLevelsAndHeaderBack) {
  SF_DataSTH sth;
  std::shared_ptr<SF_HeaderSTH> h;
  std::shared_ptr<SF_SpectralTimeHistory> th;
  ASSERT_EQ(sth.readFile(goldenPath("sth_three.sth"), h, th), SF_DATA_OK);
  ASSERT_TRUE(h && th);
  EXPECT_EQ(h->sFileName, "three.sth");
  EXPECT_EQ(h->sProjectName, "Quarry Road");
  EXPECT_EQ(h->sMicrophoneID, "M1");
  EXPECT_EQ(h->sAdjustmentCode, "A0");
  EXPECT_EQ(h->sGeneratedBy, "VORN test");
  EXPECT_EQ(h->sGenerationFile, "");
  EXPECT_EQ(h->cOtherRecords, (std::vector<std::string>{"other one", "other two"}));
  EXPECT_TRUE(h->cCommentLines.empty());
  EXPECT_EQ(h->sfFileDateTime->CurrentDate(), 38626.0);
  EXPECT_EQ(h->sfFileDateTime->TODseconds(), 47045.0);
  EXPECT_EQ(th->AverageMethod(), SF_TRUSLO);
  EXPECT_EQ(th->TimeStampType(), SF_START);
  EXPECT_EQ(th->ReferenceType(), SF_OVERHEAD);
  EXPECT_EQ(th->startTime()->TODseconds(), 36000.0);
  EXPECT_EQ(th->LoRec(), 1);
  EXPECT_EQ(th->HiRec(), 3);
  EXPECT_EQ(sth.BandLow(), 17);
  EXPECT_EQ(sth.BandHigh(), 40);
  for (int r = 1; r <= 3; ++r) {
    const auto s = th->spectrum(static_cast<std::int16_t>(r));
    EXPECT_EQ(s->LowBand(), 17);
    EXPECT_EQ(s->HighBand(), 40);
    EXPECT_EQ(s->Time()->TODseconds(), 36000 + 0.5 * (r - 1));
    EXPECT_EQ(s->Time()->RelSeconds(), 0.5 * (r - 1));
    for (int b = 17; b <= 40; ++b)
      EXPECT_EQ(s->SPL(static_cast<std::int16_t>(b)), std::round(levelOf(r, b) * 100) / 100) << r << " " << b;
  }
}

TEST(DataSTH, WideBandRangeIsWrittenInFullWhileTitlesStayAt17To40) {
  FixedClock clock;
  TempDir dir;
  const std::string name = dir.file("wide.sth");
  SF_DataSTH sth;
  ASSERT_EQ(sth.writeFile(name, header(), *history(2, 10, 43)), SF_DATA_OK);
  const auto lines = fileLines(TempDir::read(name));
  EXPECT_EQ(lines[13], "Bands**,10, 43");
  EXPECT_EQ(lines[21], fileLines(golden("sth_three.sth"))[21]);
  EXPECT_EQ(std::count(lines[22].begin(), lines[22].end(), ','), 3 + 34 - 1);

  std::shared_ptr<SF_HeaderSTH> h;
  std::shared_ptr<SF_SpectralTimeHistory> th;
  ASSERT_EQ(sth.readFile(name, h, th), SF_DATA_OK);
  EXPECT_EQ(th->spectrum(2)->LowBand(), 10);
  EXPECT_EQ(th->spectrum(2)->HighBand(), 43);
  EXPECT_EQ(th->spectrum(2)->SPL(43), 83.5);
}

TEST(DataSTH, RangeLinesHaveABlankOnlyInTheBandsLine) {
  FixedClock clock;
  TempDir dir;
  const std::string name = dir.file("long.sth");
  SF_DataSTH sth;
  ASSERT_EQ(sth.writeFile(name, header(), *history(240, 17, 40)), SF_DATA_OK);
  const auto lines = fileLines(TempDir::read(name));
  EXPECT_EQ(lines[11], "NumberOfSpectrum**,240");
  EXPECT_EQ(lines[12], "RecordNumbers**,1,240");
  EXPECT_EQ(lines[13], "Bands**,17, 40");
  EXPECT_EQ(lines.size(), 22u + 240u);
}

TEST(DataSTH, CommentsAndGenerationFileRoundTrip) {
  FixedClock clock;
  TempDir dir;
  const std::string source = dir.file("source.spc");
  TempDir::write(source, "x");
  auto h = header();
  h->cOtherRecords.clear();
  h->cCommentLines = {"first comment", "second, with comma"};
  h->sGenerationFile = source;
  const std::string name = dir.file("c.sth");
  SF_DataSTH sth;
  ASSERT_EQ(sth.writeFile(name, h, *history(1, 17, 17)), SF_DATA_OK);
  const auto lines = fileLines(TempDir::read(name));
  EXPECT_EQ(lines[15], "GenerationFile**,source.spc");
  EXPECT_EQ(lines[16], "GenerationFileDateTime**," + SF_FileInfo::shared().fileDateTime(source));
  EXPECT_EQ(lines[17], "OtherRecords**,0");
  EXPECT_EQ(lines[18], "NumberOfCommentLines**,2");

  std::shared_ptr<SF_HeaderSTH> back;
  std::shared_ptr<SF_SpectralTimeHistory> th;
  ASSERT_EQ(sth.readFile(name, back, th), SF_DATA_OK);
  EXPECT_EQ(back->cCommentLines, h->cCommentLines);
  EXPECT_EQ(back->sGenerationFile, "source.spc");
  const auto stamp = SF_FileInfo::shared().fileDateTime(source);
  EXPECT_EQ(back->sfGenerationDateTime->CurrentDate(), *SF_FileInfo::parseDate(stamp.substr(0, 10)));
  EXPECT_EQ(back->sfGenerationDateTime->TODseconds(), *SF_FileInfo::parseTime(stamp.substr(11)));
}

TEST(DataSTH, OtherFileTypesAreRejected) {
  TempDir dir;
  const std::string name = dir.file("p.sth");
  auto lines = fileLines(golden("sth_three.sth"));
  lines[0] = "FileType**,Position Time-History";
  TempDir::write(name, joinLines(lines, lines.size()));
  SF_DataSTH sth;
  std::shared_ptr<SF_HeaderSTH> h;
  std::shared_ptr<SF_SpectralTimeHistory> th;
  EXPECT_EQ(sth.readFile(name, h, th), SF_DATA_FILE_ERROR);
  EXPECT_FALSE(h || th);
  std::vector<std::string> raw;
  EXPECT_FALSE(sth.getRawHeader(name, raw));
  EXPECT_EQ(sth.readFile(dir.file("missing.sth"), h, th), SF_DATA_FILE_ERROR);
}

TEST(DataSTH, RawHeaderStopsAtTheColumnTitles) {
  TempDir dir;
  const std::string name = dir.file("r.sth");
  const auto lines = fileLines(golden("sth_three.sth"));
  SF_DataSTH sth;
  std::vector<std::string> raw;
  ASSERT_TRUE(sth.getRawHeader(goldenPath("sth_three.sth"), raw));
  EXPECT_EQ(raw, std::vector<std::string>(lines.begin(), lines.begin() + 21));

  TempDir::write(name, joinLines(lines, 22));  // the title line is the last line
  EXPECT_FALSE(sth.getRawHeader(name, raw));
  TempDir::write(name, joinLines(lines, 21));  // no title line: everything is header
  ASSERT_TRUE(sth.getRawHeader(name, raw));
  EXPECT_EQ(raw.size(), 21u);
}

TEST(DataSTH, TruncatedFilesFailWithoutAPartialResult) {
  TempDir dir;
  const std::string name = dir.file("t.sth");
  const std::string whole = golden("sth_three.sth");
  SF_DataSTH sth;
  // Every cut before the end, on a line boundary or inside a line.
  for (std::size_t cut = 1; cut + 1 < whole.size(); cut += 7) {
    if (whole.compare(cut, std::string::npos, "\r\n") == 0) continue;
    TempDir::write(name, whole.substr(0, cut));
    std::shared_ptr<SF_HeaderSTH> h;
    std::shared_ptr<SF_SpectralTimeHistory> th;
    const auto result = sth.readFile(name, h, th);
    // A cut that keeps whole records and every field of the last one is still a shorter, sound file.
    if (result == SF_DATA_OK) {
      ASSERT_TRUE(th);
      EXPECT_GT(cut, whole.rfind("\r\n3,")) << cut;
    } else {
      EXPECT_FALSE(h || th) << cut;
    }
  }
}

TEST(DataSTH, BadValuesAndCountsAreFileErrors) {
  TempDir dir;
  const std::string name = dir.file("b.sth");
  const auto good = fileLines(golden("sth_three.sth"));
  struct Change {
    std::size_t line;
    std::string text;
  };
  const std::vector<Change> changes = {
      {17, "OtherRecords**,99999999"},          {17, "OtherRecords**,-1"},
      {17, "OtherRecords**,1e300"},             {17, "OtherRecords**,two"},
      {20, "NumberOfCommentLines**,5"},         {12, "RecordNumbers**,1"},
      {12, "RecordNumbers**,1,70000"},          {13, "Bands**,17"},
      {13, "Bands**,17, 41"},                   {13, "Bands**,-32768, 32767"},
      {8, "StartTime**,ten o'clock"},           {2, "FileDateTime**,31/12/2005,10:00:00"},
      {22, "70000,10:00:00,0,.50"},             {22, "x,10:00:00,0"},
      {23, "2,10:00:00.5,0.5,57.50,-.50,oops"}, {24, "3,10:00:01"},
      {24, "3,1000,1"},                         {24, "4,10:00:01,1," + good[24].substr(13)},
      {0, "FileType"},
  };
  SF_DataSTH sth;
  for (const auto& c : changes) {
    auto lines = good;
    lines[c.line] = c.text;
    TempDir::write(name, joinLines(lines, lines.size()));
    std::shared_ptr<SF_HeaderSTH> h;
    std::shared_ptr<SF_SpectralTimeHistory> th;
    EXPECT_EQ(sth.readFile(name, h, th), SF_DATA_FILE_ERROR) << c.text;
  }
}

TEST(DataSTH, EmptyOrGappedHistoriesAndUnwritablePlacesAreNotWritten) {
  TempDir dir;
  SF_DataSTH sth;
  auto h = header();
  EXPECT_EQ(sth.writeFile(dir.file("e.sth"), h, SF_SpectralTimeHistory()), SF_DATA_FILE_ERROR);
  EXPECT_EQ(h->sFileName, dir.file("e.sth"));
  EXPECT_FALSE(std::filesystem::exists(dir.file("e.sth")));

  auto gapped = history(3, 17, 40);
  gapped->spectrum(5, std::make_shared<SF_Spectrum>(*gapped->spectrum(3)));
  EXPECT_EQ(sth.writeFile(dir.file("g.sth"), h, *gapped), SF_DATA_FILE_ERROR);
  EXPECT_EQ(sth.writeFile(dir.file("no/dir/x.sth"), h, *history(1, 17, 40)), SF_DATA_FILE_ERROR);
}

// Records 5 and 6 over bands 44 to 47, a long project name with a comma,
// three-digit, negative, zero and exactly-half levels, a reference after the
// records (negative relative times) and comment lines that read back cut at "**".
TEST(DataSTH, UnusualRecordsBandsAndNamesAreWrittenAndReadExactly) {
  FixedClock clock;
  const std::string project =
      "Northern Bypass Phase 2, Section 14 - Bridge Piers, Night Works (Contract NB/2005/117) Receptor Survey";
  const double levels[2][4] = {{100.125, -0.375, 0, 12.5}, {-100, 99.99, 0.005, 1000}};
  SF_SpectralTimeHistory th;
  for (int r = 5; r <= 6; ++r) {
    auto s = std::make_shared<SF_Spectrum>();
    for (int b = 44; b <= 47; ++b) s->SPL(static_cast<std::int16_t>(b), levels[r - 5][b - 44]);
    th.spectrum(static_cast<std::int16_t>(r), s);
  }
  SF_Time start, ref;
  start.TODseconds(36000);
  ref.TODseconds(36003);
  th.setTimeStamps(start, SF_MIDPT, ref, SF_TMAX);
  th.AverageMethod(SF_4S100);
  auto h = std::make_shared<SF_HeaderSTH>();
  h->sProjectName = project;
  h->sMicrophoneID = "Mic 12-B";
  h->cCommentLines = {"first comment, with a comma", "note**kept before the stars"};
  TempDir dir;
  const std::string name = dir.file("odd.sth");
  SF_DataSTH sth;
  ASSERT_EQ(sth.writeFile(name, h, th), SF_DATA_OK);
  const std::string expected = crlf({
      "FileType**,Spectral Time-History",
      "FileName**,odd.sth",
      "FileDateTime**,10/01/2005,13:04:05",
      "ProjectName**," + project,
      "MicrophoneID**,Mic 12-B",
      "AveragingMethod**,4S100",
      "TimeStampType**,MIDPT",
      "AdjustmentCode**,",
      "StartTime**,10:00:00",
      "ReferenceTime**,10:00:03",
      "ReferenceTimeType**,TMAX",
      "NumberOfSpectrum**,2",
      "RecordNumbers**,5,6",
      "Bands**,44, 47",
      "GeneratedBy**,",
      "GenerationFile**,",
      "GenerationFileDateTime**,",
      "OtherRecords**,0",
      "NumberOfCommentLines**,2",
      "first comment, with a comma",
      "note**kept before the stars",
      "Rec#,TOD,RelTime,B17/50Hz,B18/63Hz,B19/80Hz,B20/100Hz,B21/125Hz,B22/160Hz,B23/200Hz,B24/250Hz,B25/315Hz,"
      "B26/400Hz,B27/500Hz,B28/630Hz,B29/800Hz,B30/1kHz,B31/1.25kHz,B32/1.6kHz,B33/2kHz,B34/2.5kHz,B35/3.15kHz,"
      "B36/4kHz,B37/5kHz,B38/6.3kHz,B39/8kHz,B40/10kHz",
      "5,10:00:02.25,-0.75,100.13,-.38,.00,12.50",
      "6,10:00:02.75,-0.25,-100.00,99.99,.01,1000.00",
  });
  EXPECT_EQ(TempDir::read(name), expected);

  std::shared_ptr<SF_HeaderSTH> rh;
  std::shared_ptr<SF_SpectralTimeHistory> rt;
  ASSERT_EQ(sth.readFile(name, rh, rt), SF_DATA_OK);
  EXPECT_EQ(rh->sProjectName, project);
  EXPECT_EQ(rh->sMicrophoneID, "Mic 12-B");
  EXPECT_EQ(rh->sAdjustmentCode, "");
  EXPECT_EQ(rh->cCommentLines, (std::vector<std::string>{"first comment, with a comma", "note"}));
  EXPECT_EQ(rt->AverageMethod(), SF_4S100);
  EXPECT_EQ(rt->TimeStampType(), SF_MIDPT);
  EXPECT_EQ(rt->ReferenceType(), SF_TMAX);
  EXPECT_EQ(rt->startTime()->TODseconds(), 36000.0);
  EXPECT_EQ(rt->ReferenceTime()->TODseconds(), 36003.0);
  EXPECT_EQ(rt->LoRec(), 5);
  EXPECT_EQ(rt->HiRec(), 6);
  const auto s5 = rt->spectrum(5), s6 = rt->spectrum(6);
  EXPECT_EQ(s5->LowBand(), 44);
  EXPECT_EQ(s5->HighBand(), 47);
  EXPECT_EQ(s5->SPL(44), 100.13);
  EXPECT_EQ(s5->SPL(45), -0.38);
  EXPECT_EQ(s6->SPL(44), -100.0);
  EXPECT_EQ(s6->SPL(47), 1000.0);
  EXPECT_EQ(s5->Time()->TODseconds(), 36002.25);
  EXPECT_EQ(s5->Time()->RelSeconds(), -0.75);
  EXPECT_EQ(s6->Time()->RelSeconds(), -0.25);
}

// The relative time is a double: it is written with every digit it needs to
// read back as the same double, and read back into single precision.
TEST(DataSTH, RelativeTimesAreWrittenInFullAndReadAsSingles) {
  struct Row {
    double rel;
    std::string text;
  };
  const std::vector<Row> rows = {{1234.56789, "1234.56789"}, {12345678.5, "12345678.5"}};
  TempDir dir;
  const std::string name = dir.file("rel.sth");
  SF_DataSTH sth;
  for (const auto& row : rows) {
    auto th = history(1, 17, 17);
    th->spectrum(1)->Time()->RelSeconds(row.rel);
    ASSERT_EQ(sth.writeFile(name, header(), *th), SF_DATA_OK);
    const auto lines = fileLines(TempDir::read(name));
    EXPECT_EQ(lines[22], "1,10:00:00," + row.text + ",.50");

    std::shared_ptr<SF_HeaderSTH> h;
    std::shared_ptr<SF_SpectralTimeHistory> back;
    ASSERT_EQ(sth.readFile(name, h, back), SF_DATA_OK);
    EXPECT_EQ(back->spectrum(1)->Time()->RelSeconds(), static_cast<double>(static_cast<float>(row.rel)));
  }

  // Start and reference at 36000.1 s: record 1 is stamped at the single
  // 35999.6015625 + 0.5, so it lies 0.0015625 s after the double 36000.1
  // plus the 1.4551915e-12 s that 36000.1 falls short of in binary; its time
  // of day is a single, and 36000.1 is the shortest text of that single.
  auto th = history(1, 17, 17);
  SF_Time start;
  start.TODseconds(36000.1);
  th->setTimeStamps(start, SF_START, start, SF_OVERHEAD);
  ASSERT_EQ(sth.writeFile(name, header(), *th), SF_DATA_OK);
  const auto lines = fileLines(TempDir::read(name));
  EXPECT_EQ(lines[22], "1,10:00:00.1,0.0015625000014551915,.50");
}
