// Numbers a file should never hold (NaN, infinities, values past the range of
// their field, counts that are huge, negative or not backed by lines, record
// numbers past 16 bits) are refused with SF_DATA_FILE_ERROR, and the caller's
// objects stay as they were.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SF_DataGTH.h"
#include "SF_DataINI.h"
#include "SF_DataMIC.h"
#include "SF_DataMask.h"
#include "SF_DataPTH.h"
#include "SF_DataSPC.h"
#include "SF_DataSSR.h"
#include "SF_DataSTH.h"
#include "SF_DataTSPI.h"
#include "HostileSupport.h"

namespace {

const std::vector<std::string> kNotNumbers = {"nan", "NaN", "-nan", "inf", "-inf", "infinity", "1e400", "-1e400"};

// Each reader reads into fresh objects and must hand them back exactly when
// it reports SF_DATA_OK.
SF_DataMessage readSTH(const std::string& p) {
  std::shared_ptr<SF_HeaderSTH> h;
  std::shared_ptr<SF_SpectralTimeHistory> t;
  const auto r = SF_DataSTH().readFile(p, h, t);
  EXPECT_EQ(r == SF_DATA_OK, t != nullptr && h != nullptr);
  return r;
}
SF_DataMessage readPTH(const std::string& p) {
  std::shared_ptr<SF_HeaderPTH> h;
  std::shared_ptr<SF_PositionTimeHistory> t;
  const auto r = SF_DataPTH().readFile(p, h, t);
  EXPECT_EQ(r == SF_DATA_OK, t != nullptr && h != nullptr);
  return r;
}
SF_DataMessage readGTH(const std::string& p) {
  std::shared_ptr<SF_HeaderGTH> h;
  std::shared_ptr<SF_GeometryTimeHistory> t;
  const auto r = SF_DataGTH().readFile(p, h, t);
  EXPECT_EQ(r == SF_DATA_OK, t != nullptr && h != nullptr);
  return r;
}
SF_DataMessage readMIC(const std::string& p) {
  std::shared_ptr<SF_HeaderMIC> h;
  std::shared_ptr<SF_Microphone> m;
  const auto r = SF_DataMIC().readFile(p, h, m);
  EXPECT_EQ(r == SF_DATA_OK, m != nullptr && h != nullptr);
  return r;
}
SF_DataMessage readMask(const std::string& p) {
  std::shared_ptr<SF_HeaderMask> h;
  std::shared_ptr<SF_MaskMap> m;
  const auto r = SF_DataMask().readFile(p, h, m);
  EXPECT_EQ(r == SF_DATA_OK, m != nullptr && h != nullptr);
  return r;
}
SF_DataMessage readSSR(const std::string& p) {
  std::shared_ptr<SF_Spectrum> s;
  const auto r = SF_DataSSR().readFile(p, s);
  EXPECT_EQ(r == SF_DATA_OK, s != nullptr);
  return r;
}
SF_DataMessage readSPC(const std::string& p) {
  std::shared_ptr<SF_SpectralTimeHistory> t;
  const auto r = SF_DataSPC().readFile(p, t);
  EXPECT_EQ(r == SF_DATA_OK, t != nullptr);
  return r;
}
SF_DataMessage readINI(const std::string& p) {
  SF_DataINI ini;
  ini.CalAdj(7.0f);
  const auto r = ini.readFile(p);
  if (r != SF_DATA_OK) {
    EXPECT_EQ(ini.CalAdj(), 7.0f);
  }
  return r;
}

struct Case {
  const char* what;
  SF_DataMessage (*read)(const std::string&);
  const char* golden;
  const char* from;  // replaced by each of the bad numbers
};

// One number field of each reader, of every kind the reader has.
const Case kNumberFields[] = {
    {"STH level", readSTH, "sth_three.sth", ",58.25,"},
    {"STH relative time", readSTH, "sth_three.sth", "10:00:00.5,0.5,"},
    {"STH record number", readSTH, "sth_three.sth", "\r\n2,10"},
    {"PTH coordinate", readPTH, "pth_two.pth", "1250.5"},
    {"GTH coordinate", readGTH, "gth_two.gth", "100.5"},
    {"GTH angle", readGTH, "gth_two.gth", "12.25"},
    {"GTH microphone", readGTH, "gth_two.gth", "10.5"},
    {"GTH temperature", readGTH, "gth_two.gth", "15.5"},
    {"MIC coordinate", readMIC, "mic_one.mic", "1250.5"},
    {"MIC height", readMIC, "mic_one.mic", ",1.5"},
    {"SSR level", readSSR, "ssr_20_30.ssr", "61.00"},
    {"SPC level", readSPC, "spc_three.spc", " 58.25"},
    {"SPC record length", readSPC, "spc_three.spc", "  .50000"},
    {"INI calibration", readINI, "ini_full.ini", "-0.25"},
    {"INI window", readINI, "ini_full.ini", "2.5"},
    {"Mask band", readMask, "mask_two.msk", "17, 40"},
    {"Mask last good band", readMask, "mask_two.msk", ",32\r\n"},
};

std::string withValue(const Case& c, const std::string& value) {
  std::string from = c.from;
  // Keep the separators around the number that the pattern carries.
  std::string to = value;
  const std::string golden = goldenFile(c.golden);
  if (from == ",58.25,") to = "," + value + ",";
  else if (from == "10:00:00.5,0.5,") to = "10:00:00.5," + value + ",";
  else if (from == "\r\n2,10") to = "\r\n" + value + ",10";
  else if (from == ",1.5") to = "," + value;
  else if (from == " 58.25") to = std::string(value.size() < 6 ? 6 - value.size() : 0, ' ') + value;
  else if (from == "  .50000") to = std::string(value.size() < 8 ? 8 - value.size() : 0, ' ') + value;
  else if (from == "17, 40") to = value + ", 40";
  else if (from == ",32\r\n") to = "," + value + "\r\n";
  return replaced(golden, from, to);
}

}  // namespace

TEST(HostileNumbers, GoldenFilesStillRead) {
  TempDir dir;
  for (const Case& c : kNumberFields) {
    const std::string path = dir.file("golden");
    TempDir::write(path, goldenFile(c.golden));
    EXPECT_EQ(c.read(path), SF_DATA_OK) << c.what;
  }
}

TEST(HostileNumbers, NaNAndInfinityAreRefusedInEveryNumberField) {
  TempDir dir;
  for (const Case& c : kNumberFields) {
    for (const auto& bad : kNotNumbers) {
      const std::string bytes = withValue(c, bad);
      ASSERT_FALSE(bytes.empty()) << c.what;
      const std::string path = dir.file("bad");
      TempDir::write(path, bytes);
      EXPECT_EQ(c.read(path), SF_DATA_FILE_ERROR) << c.what << " = " << bad;
    }
  }
}

// 1e39 is a double but no single: fields kept in single precision refuse it,
// fields kept in double precision take it as it is.
TEST(HostileNumbers, PastSinglePrecisionIsRefusedWhereTheFieldIsSingle) {
  TempDir dir;
  const std::string path = dir.file("big");
  const std::vector<std::pair<std::string, const char*>> single = {
      {"GTH temperature", "15.5"}, {"GTH angle", "12.25"}, {"INI calibration", "-0.25"}, {"INI window", "2.5"}};
  for (const Case& c : kNumberFields) {
    bool isSingle = false;
    for (const auto& s : single) isSingle = isSingle || s.first == c.what;
    if (!isSingle) continue;
    TempDir::write(path, withValue(c, "1e39"));
    EXPECT_EQ(c.read(path), SF_DATA_FILE_ERROR) << c.what;
    TempDir::write(path, withValue(c, "-1e39"));
    EXPECT_EQ(c.read(path), SF_DATA_FILE_ERROR) << c.what;
  }
  TempDir::write(path, replaced(goldenFile("mic_one.mic"), "1250.5", "1e39"));
  std::shared_ptr<SF_HeaderMIC> h;
  std::shared_ptr<SF_Microphone> m;
  ASSERT_EQ(SF_DataMIC().readFile(path, h, m), SF_DATA_OK);
  EXPECT_EQ(m->X(), 1e39);
}

TEST(HostileNumbers, RecordNumbersPast16BitsAreRefused) {
  TempDir dir;
  const std::string path = dir.file("rec");
  for (const char* n : {"32768", "65537", "-32769", "99999999999999999999"}) {
    TempDir::write(path, replaced(goldenFile("sth_three.sth"), "\r\n2,10", std::string("\r\n") + n + ",10"));
    EXPECT_EQ(readSTH(path), SF_DATA_FILE_ERROR) << n;
    TempDir::write(path, replaced(goldenFile("sth_three.sth"), "RecordNumbers**,1,3", std::string("RecordNumbers**,1,") + n));
    EXPECT_EQ(readSTH(path), SF_DATA_FILE_ERROR) << n;
    TempDir::write(path, replaced(goldenFile("gth_two.gth"), "\r\n2,10", std::string("\r\n") + n + ",10"));
    EXPECT_EQ(readGTH(path), SF_DATA_FILE_ERROR) << n;
    TempDir::write(path, replaced(goldenFile("ini_full.ini"), "240", n));
    EXPECT_EQ(readINI(path), SF_DATA_FILE_ERROR) << n;
  }
  // The fixed-column record field holds five digits: 32768 to 99999 do not fit 16 bits.
  TempDir::write(path, replaced(goldenFile("spc_three.spc"), "  2  40", "32768  40"));
  EXPECT_EQ(readSPC(path), SF_DATA_FILE_ERROR);
}

// A count of lines that follow is only believed as far as lines back it:
// huge and negative counts fail at once instead of reserving room for them.
TEST(HostileNumbers, CountsThatLinesDoNotBackAreRefused) {
  TempDir dir;
  const std::string path = dir.file("count");
  const std::vector<std::string> counts = {"-1", "-2147483649", "2147483647", "4294967297", "9223372036854775807",
                                           "99999999999999999999999", "1e9", "3.5", "nan"};
  struct CountField {
    SF_DataMessage (*read)(const std::string&);
    const char* golden;
    const char* from;
    const char* prefix;
  };
  const CountField fields[] = {
      {readSTH, "sth_three.sth", "NumberOfCommentLines**,0", "NumberOfCommentLines**,"},
      {readSTH, "sth_three.sth", "OtherRecords**,2", "OtherRecords**,"},
      {readPTH, "pth_two.pth", "OtherRecords**,1", "OtherRecords**,"},
      {readGTH, "gth_two.gth", "NumberOfCommentLines**,0", "NumberOfCommentLines**,"},
      {readMIC, "mic_one.mic", "OtherRecords**,1", "OtherRecords**,"},
      {readMIC, "mic_one.mic", "NumberOfCommentLines**,2", "NumberOfCommentLines**,"},
      {readMask, "mask_two.msk", "NumberOfCommentLines**,1", "NumberOfCommentLines**,"},
      {readSSR, "ssr_20_30.ssr", "NumberOfCommentLines**,2", "NumberOfCommentLines**,"},
      {readINI, "ini_full.ini", "NumberOfCommentLines**,2", "NumberOfCommentLines**,"},
  };
  for (const auto& f : fields) {
    for (const auto& n : counts) {
      const std::string bytes = replaced(goldenFile(f.golden), f.from, f.prefix + n);
      ASSERT_FALSE(bytes.empty()) << f.from;
      TempDir::write(path, bytes);
      EXPECT_EQ(f.read(path), SF_DATA_FILE_ERROR) << f.golden << ": " << f.prefix << n;
    }
  }
}

// The record and row counts of a header are only stored (32-bit): any
// 32-bit value is kept without room being made for it, anything wider or not
// whole is refused.
TEST(HostileNumbers, HeaderRecordCountsAreStoredNotBelieved) {
  TempDir dir;
  const std::string path = dir.file("count");
  auto write = [&](const char* golden, const char* from, const std::string& to) {
    TempDir::write(path, replaced(goldenFile(golden), from, to));
  };
  for (const std::string n : {"2147483647", "-2147483648", "-1"}) {
    write("pth_two.pth", "NumberRecords**,2", "NumberRecords**," + n);
    std::shared_ptr<SF_HeaderPTH> ph;
    std::shared_ptr<SF_PositionTimeHistory> pt;
    ASSERT_EQ(SF_DataPTH().readFile(path, ph, pt), SF_DATA_OK) << n;
    EXPECT_EQ(std::to_string(ph->lNumberRecords), n);
    EXPECT_EQ(pt->Count(), 2);
    write("gth_two.gth", "NumberRecords**,2", "NumberRecords**," + n);
    std::shared_ptr<SF_HeaderGTH> gh;
    std::shared_ptr<SF_GeometryTimeHistory> gt;
    ASSERT_EQ(SF_DataGTH().readFile(path, gh, gt), SF_DATA_OK) << n;
    EXPECT_EQ(std::to_string(gh->NumberRecords), n);
    write("mask_two.msk", "NumberOfRows**,2", "NumberOfRows**," + n);
    std::shared_ptr<SF_HeaderMask> mh;
    std::shared_ptr<SF_MaskMap> mm;
    ASSERT_EQ(SF_DataMask().readFile(path, mh, mm), SF_DATA_OK) << n;
    EXPECT_EQ(std::to_string(mh->lNumberRows), n);
  }
  for (const std::string n : {"2147483648", "-2147483649", "9223372036854775808", "1e9", "nan", "2.5"}) {
    write("pth_two.pth", "NumberRecords**,2", "NumberRecords**," + n);
    EXPECT_EQ(readPTH(path), SF_DATA_FILE_ERROR) << n;
    write("gth_two.gth", "NumberRecords**,2", "NumberRecords**," + n);
    EXPECT_EQ(readGTH(path), SF_DATA_FILE_ERROR) << n;
    write("mask_two.msk", "NumberOfRows**,2", "NumberOfRows**," + n);
    EXPECT_EQ(readMask(path), SF_DATA_FILE_ERROR) << n;
  }
}

TEST(HostileNumbers, TrackingDataWithBadCoordinatesIsRefused) {
  TempDir dir;
  const std::string path = dir.file("track.tsp");
  for (const std::string bad : {"nan", "inf", "-inf", "1e400"}) {
    TempDir::write(path, crlfLines({"h1", "h2", "h3", "h4", "h5", "h6", "10:00:00,1,a,b,c,d,e,f,100," + bad + ",300"}));
    std::shared_ptr<SF_PositionTimeHistory> pth;
    EXPECT_EQ(SF_DataTSPI().readFile(path, pth), SF_DATA_FILE_ERROR) << bad;
    EXPECT_EQ(pth, nullptr);
  }
}
