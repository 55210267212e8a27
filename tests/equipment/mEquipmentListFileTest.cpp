#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "equipment/mEquipmentListFile.h"
#include "base/mProgramDirectory.h"
#include "study/cEquipment.h"
#include "study/cScriptedMessageService.h"
#include "study/mMarkers.h"
#include "../casefile/FailingWrites.h"
#include "../support/TempDir.h"

namespace {

const std::string kData = VORN_TEST_DATA;
const std::string kShipped = std::string(VORN_SOURCE_DIR) + "/data/" + kDefaultEquipmentListName;

std::shared_ptr<cEquipmentRecord> item(const std::string& d, int impact, float usage, float spec, float actual) {
  auto e = std::make_shared<cEquipmentRecord>();
  e->description = d;
  e->impactDevice = impact;
  e->usage = usage;
  e->spec_lmax = spec;
  e->actual_lmax = actual;
  return e;
}

EquipmentList smallList() {
  return {item("  Air Compressor ", 1, 40, 80, 77.6f), item("Crane, Mobile", 1, 16, 85, valueNA),
          item("Jackhammer", 0, 20, 85, 88.7f), item("Mystery Tool", 7, valueNA, valueNA, 72.25f)};
}

bool load(const std::string& path, EquipmentList& list) {
  SF_FieldTable rows;
  if (readEquipmentListFields(path, rows) != SF_DATA_OK) return false;
  return cEquipment::loadList(rows, list);
}

std::string writeText(const std::string& name, const std::string& body) {
  static TempDir dir;
  const std::string path = dir.file(name);
  TempDir::write(path, body);
  return path;
}

const std::string kHeader =
    "VORN Equipment List\r\nRevised: 01/01/2025\r\nComment\r\nHeader\r\n";

}  // namespace

TEST(EquipmentListFile, WritesTheHeaderAndOneLinePerType) {
  TempDir dir;
  ASSERT_EQ(writeEquipmentList(smallList(), dir.file("s.equ"), "07/04/2025"), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("s.equ")), TempDir::read(kData + "/small.equ"));
}

TEST(EquipmentListFile, ReadsBackTypesImpactFlagsAndNumbers) {
  EquipmentList list;
  ASSERT_TRUE(load(kData + "/small.equ", list));
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0]->description, "Air Compressor");
  EXPECT_EQ(list[0]->impactDevice, 1);
  EXPECT_EQ(list[0]->actual_lmax, 77.6f);
  EXPECT_FALSE(list[0]->spec_select);
  EXPECT_EQ(list[0]->numUnits, 1);
  EXPECT_EQ(list[0]->rowID, 0);
  EXPECT_FALSE(list[0]->active);
  EXPECT_EQ(list[1]->description, "Crane, Mobile");
  EXPECT_TRUE(isValueNA(list[1]->actual_lmax));
  EXPECT_TRUE(list[1]->spec_select);  // no actual level: the spec one is used
  EXPECT_EQ(list[2]->impactDevice, 0);
  EXPECT_EQ(list[3]->usage, 1.0f);  // an N/A usage reads as 1 percent
  EXPECT_TRUE(isValueNA(list[3]->spec_lmax));
  TempDir dir;
  ASSERT_EQ(writeEquipmentList(list, dir.file("again.equ"), "07/04/2025"), SF_DATA_OK);
  const std::string again = TempDir::read(dir.file("again.equ"));
  EXPECT_NE(again.find("\r\nMystery Tool,NO,1,N/A,72.25\r\n"), std::string::npos);
}

TEST(EquipmentListFile, HeaderLinesTwoToFourAreNeverExamined) {
  EquipmentList list;
  ASSERT_TRUE(load(writeText("a.equ", " VORN Equipment List ,extra\r\nx\r\ny\r\nz\r\nDozer,yes,40,85,Yes\r\n"), list));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->impactDevice, 0);
  EXPECT_TRUE(isValueNA(list[0]->actual_lmax));
  ASSERT_TRUE(load(writeText("b.equ", kHeader), list));
  EXPECT_TRUE(list.empty());
}

TEST(EquipmentListFile, MalformedListsFailWithTheTypesReadBeforeTheFault) {
  EquipmentList list;
  EXPECT_FALSE(load(writeText("c.equ", "Equipment List\r\n" + kHeader.substr(kHeader.find("\r\n") + 2)), list));
  EXPECT_FALSE(load(writeText("d.equ", "VORN Equipment List\r\nRevised\r\n"), list));
  EXPECT_FALSE(load(writeText("e.equ", ""), list));
  EXPECT_FALSE(load(writeText("f.equ", kHeader + "Dozer,NO,40,85,80\r\nShort,NO,40\r\nLoader,NO,40,80,79\r\n"), list));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->description, "Dozer");
  EXPECT_FALSE(load(writeText("g.equ", kHeader + "Dozer,NO,40,85,80\r\n\r\n"), list));
}

// The full disk is made by a POSIX file-size limit; on Windows
// tests/hostile/FailedSavesTest.cpp holds the target open instead.
#ifndef _WIN32
TEST(EquipmentListFile, FailedWriteKeepsTheOldList) {
  TempDir dir;
  const std::string path = dir.file("keep.equ");
  TempDir::write(path, "old list\r\n");
  {
    FailingWrites diskFull;
    EXPECT_EQ(writeEquipmentList(smallList(), path, "07/04/2025"), SF_DATA_FILE_ERROR);
  }
  EXPECT_EQ(TempDir::read(path), "old list\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}
#endif

TEST(DefaultEquipmentList, LoadsFromBesideTheProgram) {
  cEquipment manager;
  cScriptedMessageService messages;
  ASSERT_TRUE(loadDefaultEquipmentList(manager, std::string(VORN_BIN_DIR) + "/", messages));
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_GE(manager.colList.size(), 50u);
  // Ends with the platform's own separator ("\\" on Windows).
  EXPECT_EQ(programDirectory(), std::filesystem::canonical(VORN_BIN_DIR).string() +
                                    static_cast<char>(std::filesystem::path::preferred_separator));
}

TEST(DefaultEquipmentList, MissingOrBrokenListTellsTheUser) {
  TempDir dir;
  cEquipment manager;
  cScriptedMessageService messages;
  EXPECT_FALSE(loadDefaultEquipmentList(manager, dir.path().string() + "/", messages));
  TempDir::write(dir.file(kDefaultEquipmentListName), "Not a list\r\n");
  EXPECT_FALSE(loadDefaultEquipmentList(manager, dir.path().string() + "/", messages));
  ASSERT_EQ(messages.messages().size(), 2u);
  EXPECT_EQ(messages.messages()[0].text, "Could not open: '\\VORN Equipment List.equ'!");
  EXPECT_EQ(messages.messages()[1].text, "Error reading '\\VORN Equipment List.equ'!");
  EXPECT_EQ(messages.messages()[1].icon, MessageIcon::Critical);
  EXPECT_EQ(messages.messages()[1].title, "VORN");
}

// The catalogue a consultant would pick from: plausible levels at 50 feet and
// usage factors, some impact devices, names unique and in list order.
TEST(ShippedEquipmentList, IsAPlausibleSortedCatalogue) {
  EquipmentList list;
  ASSERT_TRUE(load(kShipped, list));
  ASSERT_GE(list.size(), 50u);
  std::set<std::string> names;
  int impact = 0;
  std::string previous;
  for (const auto& e : list) {
    std::string upper = e->description;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    EXPECT_LT(previous, upper);
    previous = upper;
    EXPECT_TRUE(names.insert(upper).second) << e->description;
    EXPECT_GT(e->usage, 0.0f) << e->description;
    EXPECT_LE(e->usage, 100.0f) << e->description;
    EXPECT_GE(e->spec_lmax, 65.0f) << e->description;
    EXPECT_LE(e->spec_lmax, 100.0f) << e->description;
    if (!isValueNA(e->actual_lmax)) {
      EXPECT_GE(e->actual_lmax, 65.0f) << e->description;
      EXPECT_LE(e->actual_lmax, 105.0f) << e->description;
    }
    if (e->impactDevice == 0) ++impact;
  }
  EXPECT_GE(impact, 5);
  EXPECT_LE(impact, 15);
  // Saved again with its own date it is the same file.
  TempDir dir;
  ASSERT_EQ(writeEquipmentList(list, dir.file("same.equ"), "03/18/2025"), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("same.equ")), TempDir::read(kShipped));
  EXPECT_EQ(TempDir::read(std::string(VORN_BIN_DIR) + "/" + kDefaultEquipmentListName), TempDir::read(kShipped));
}

// Impact devices, N/A in every number column, blanks, commas and quotes in
// descriptions, an empty description: written as the format says, and read
// back field by field as the comma-and-quote splitting leaves them.
TEST(EquipmentListFile, QuotedAndMarkedEntriesAreWrittenAndReadAsTheFormatSays) {
  const EquipmentList list = {item("  Rock Drill, Pneumatic  ", 0, 20, 85, 81.4f),
                              item("12\" Auger", 1, 7.5f, valueNA, 84.25f),
                              item("Pump \"Hi-Flo\", 6 in", 0, valueNA, 77, valueNA),
                              item("", -1, 100, 0.5f, 0)};
  TempDir dir;
  ASSERT_EQ(writeEquipmentList(list, dir.file("q.equ"), "12/31/1999"), SF_DATA_OK);
  const std::string header =
      "VORN Equipment List\r\n"
      "Revised: 12/31/1999\r\n"
      "\"Comment: Spec 721.560 values are Lmax @ 50 ft, dBa, slow.\"\r\n"
      "Equipment Description,ImpactDevice,Use Factor (%),\"Spec (dBA, slow)\",\"Act (dBA, slow)\"\"\r\n";
  EXPECT_EQ(TempDir::read(dir.file("q.equ")), header +
                                                  "\"Rock Drill, Pneumatic\",YES,20,85,81.4\r\n"
                                                  "12\" Auger,NO,7.5,N/A,84.25\r\n"
                                                  "\"Pump \"Hi-Flo\", 6 in\",YES,N/A,77,N/A\r\n"
                                                  ",NO,100,0.5,0\r\n");
  EquipmentList read;
  ASSERT_TRUE(load(dir.file("q.equ"), read));
  ASSERT_EQ(read.size(), 4u);
  EXPECT_EQ(read[0]->description, "Rock Drill, Pneumatic");
  EXPECT_EQ(read[0]->impactDevice, 0);
  EXPECT_EQ(read[0]->actual_lmax, 81.4f);
  EXPECT_FALSE(read[0]->spec_select);
  EXPECT_EQ(read[1]->description, "12 Auger");
  EXPECT_TRUE(isValueNA(read[1]->spec_lmax));
  EXPECT_FALSE(read[1]->spec_select);
  // The quote before the comma ends the quoted field: the line has six fields
  // and the numbers are taken from the fields that now stand in their place.
  EXPECT_EQ(read[2]->description, "Pump Hi-Flo");
  EXPECT_EQ(read[2]->impactDevice, 1);  // field 2 reads "6 in"
  EXPECT_EQ(read[2]->usage, 1.0f);      // field 3 reads "YES"
  EXPECT_TRUE(isValueNA(read[2]->spec_lmax));
  EXPECT_EQ(read[2]->actual_lmax, 77.0f);
  EXPECT_EQ(read[3]->description, "");
  EXPECT_EQ(read[3]->impactDevice, 1);
  EXPECT_EQ(read[3]->spec_lmax, 0.5f);
  EXPECT_EQ(read[3]->actual_lmax, 0.0f);
  for (const auto& e : read) {
    EXPECT_EQ(e->numUnits, 1);
    EXPECT_EQ(e->rowID, 0);
    EXPECT_FALSE(e->active);
  }
  ASSERT_EQ(writeEquipmentList(read, dir.file("again.equ"), "01/02/2003"), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("again.equ")), "VORN Equipment List\r\nRevised: 01/02/2003\r\n" +
                                                      header.substr(header.find("\"Comment")) +
                                                      "\"Rock Drill, Pneumatic\",YES,20,85,81.4\r\n"
                                                      "12 Auger,NO,7.5,N/A,84.25\r\n"
                                                      "Pump Hi-Flo,NO,1,N/A,77\r\n"
                                                      ",NO,100,0.5,0\r\n");
}
