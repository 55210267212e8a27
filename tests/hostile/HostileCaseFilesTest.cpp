// The program's own files (case, criteria, equipment list) with numbers they
// should never hold: the case and criteria files are refused whole and the
// study keeps what it had; a list field that is not a number reads as N/A.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "casefile/cCaseFile.h"
#include "criteria/cCriteriaFile.h"
#include "equipment/mEquipmentListFile.h"
#include "study/cEquipment.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"
#include "HostileSupport.h"

namespace {

const std::vector<std::string> kNotFloats = {"nan", "NaN", "inf", "-inf", "infinity", "1e39", "-1e39", "1e400", "0x10"};

std::string caseC() { return TempDir::read(std::string(VORN_SOURCE_DIR) + "/tests/casefile/data/studyC.cas"); }
std::string criteriaDefault() { return TempDir::read(std::string(VORN_SOURCE_DIR) + "/data/default criteria.cri"); }

}  // namespace

TEST(HostileCaseFiles, BadNumbersRefuseTheWholeCase) {
  TempDir dir;
  const std::string path = dir.file("bad.cas");
  // Every number field of the settings, equipment, receptor, link and criteria lines.
  const std::vector<std::pair<std::string, std::string>> fields = {
      {"3.5,Leq", "@,Leq"},
      {"Backhoe,0,40,", "Backhoe,0,@,"},
      {"Backhoe,0,40,1,80,", "Backhoe,0,40,1,@,"},
      {"1,80,78\r\n", "1,80,@\r\n"},
      {"Residential,61.5,", "Residential,@,"},
      {"Commercial,66,62.5,55.25", "Commercial,66,62.5,@"},
      {"Link:,1,30.48,", "Link:,1,@,"},
      {"Link:,2,0.1,2.5", "Link:,2,0.1,@"},
      {"Value,90", "Value,@"},
      {"Maximum,80,10", "Maximum,80,@"},
  };
  for (const auto& [from, pattern] : fields) {
    for (const auto& bad : kNotFloats) {
      std::string to = pattern;
      to.replace(to.find('@'), 1, bad);
      const std::string bytes = replaced(caseC(), from, to);
      ASSERT_FALSE(bytes.empty()) << from;
      TempDir::write(path, bytes);
      cStudy study;
      study.caseDescription = "kept";
      EXPECT_FALSE(cCaseFile(study).readCaseFile(path)) << to;
      EXPECT_EQ(study.caseDescription, "kept");
      EXPECT_TRUE(study.colEquipment.empty());
    }
  }
}

TEST(HostileCaseFiles, RowNumbersPast16BitsRefuseTheCase) {
  TempDir dir;
  const std::string path = dir.file("bad.cas");
  for (const char* n : {"32768", "-32769", "65536", "2147483648", "99999999999999999999", "1.5", "nan"}) {
    TempDir::write(path, replaced(caseC(), "Equipment:,1,1,", std::string("Equipment:,1,") + n + ","));
    cStudy study;
    EXPECT_FALSE(cCaseFile(study).readCaseFile(path)) << n;
    TempDir::write(path, replaced(caseC(), "Receptor:,2,", std::string("Receptor:,") + n + ","));
    EXPECT_FALSE(cCaseFile(study).readCaseFile(path)) << n;
  }
  TempDir::write(path, replaced(caseC(), "Link:,1,", "Link:,4294967296,"));
  cStudy study;
  EXPECT_FALSE(cCaseFile(study).readCaseFile(path));
}

TEST(HostileCaseFiles, BadCriteriaNumbersLeaveTheTables) {
  TempDir dir;
  const std::string path = dir.file("bad.cri");
  cStudy study;
  cCriteriaFile criteria(study.NoiseLimits);
  std::vector<std::string> before;
  criteria.buildOutput(before);
  for (const auto& bad : kNotFloats) {
    TempDir::write(path, replaced(criteriaDefault(), "Maximum,75,5", "Maximum,75," + bad));
    EXPECT_FALSE(criteria.readFile(path)) << bad;
    TempDir::write(path, replaced(criteriaDefault(), "Value,95", "Value," + bad));
    EXPECT_FALSE(criteria.readFile(path)) << bad;
  }
  std::vector<std::string> after;
  criteria.buildOutput(after);
  EXPECT_EQ(after, before);
}

TEST(HostileCaseFiles, EquipmentListNumbersThatAreNotNumbersReadAsNA) {
  TempDir dir;
  const std::string path = dir.file("bad.equ");
  const std::string head = "VORN Equipment List\r\nRevised: 07/04/2025\r\nComment\r\nTitles\r\n";
  for (const auto& bad : kNotFloats) {
    TempDir::write(path, head + "Saw,NO," + bad + "," + bad + "," + bad + "\r\n");
    SF_FieldTable rows;
    ASSERT_EQ(readEquipmentListFields(path, rows), SF_DATA_OK);
    EquipmentList list;
    ASSERT_TRUE(cEquipment::loadList(rows, list)) << bad;
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->usage, 1.0f) << bad;  // no usage given: the whole time
    EXPECT_TRUE(isValueNA(list[0]->spec_lmax)) << bad;
    EXPECT_TRUE(isValueNA(list[0]->actual_lmax)) << bad;
    EXPECT_TRUE(list[0]->spec_select);
  }
}

// A list of many lines is read line by line; a header that claims nothing
// about counts cannot make the reader reserve anything.
TEST(HostileCaseFiles, ListsAndCasesOfManyShortLinesAreRefusedQuickly) {
  TempDir dir;
  const std::string path = dir.file("many.cas");
  std::string bytes = "Vornhall - Version 1.0\r\nd\r\n1,Leq,feet\r\nEquipment...\r\n";
  for (int i = 0; i < 200000; ++i) bytes += "Equipment:\r\n";
  TempDir::write(path, bytes);
  cStudy study;
  EXPECT_FALSE(cCaseFile(study).readCaseFile(path));
  EXPECT_TRUE(study.colEquipment.empty());
}
