#include <chrono>
#include <ctime>
#include <filesystem>

#include <gtest/gtest.h>

#include "SF_FileInfo.h"
#include "../support/TempDir.h"

TEST(FileInfo, NameIsTheLastPathComponent) {
  const SF_FileInfo& info = SF_FileInfo::shared();
  EXPECT_EQ(info.fileName("/data/run 1/flyover.sth"), "flyover.sth");
  EXPECT_EQ(info.fileName("flyover.sth"), "flyover.sth");
  EXPECT_EQ(info.fileName(""), "");
}

TEST(FileInfo, FileDateTimeIsTheLocalModificationTime) {
  TempDir dir;
  const std::string name = dir.file("a.txt");
  TempDir::write(name, "x");
  std::tm local{};
  local.tm_year = 2005 - 1900;
  local.tm_mon = 9;
  local.tm_mday = 1;
  local.tm_hour = 13;
  local.tm_min = 4;
  local.tm_sec = 5;
  local.tm_isdst = -1;
  const auto sys = std::chrono::system_clock::from_time_t(std::mktime(&local));
  std::filesystem::last_write_time(name, std::chrono::file_clock::from_sys(sys));
  EXPECT_EQ(SF_FileInfo::shared().fileDateTime(name), "10/01/2005,13:04:05");
  EXPECT_EQ(SF_FileInfo::shared().fileDateTime(dir.file("missing.txt")), "");
  EXPECT_EQ(SF_FileInfo::shared().fileDateTime(dir.path().string()), "");
}

TEST(FileInfo, NowFollowsTheClockAndParsesBack) {
  SF_FileInfo info;
  info.setClock([] { return SF_FileInfo::DateTime{2024, 2, 29, 7, 8, 9}; });
  EXPECT_EQ(info.nowDateTime(), "02/29/2024,07:08:09");
  info.setClock({});
  const std::string text = info.nowDateTime();
  ASSERT_EQ(text.size(), 19u);
  EXPECT_TRUE(SF_FileInfo::parseDate(text.substr(0, 10)).has_value());
  EXPECT_TRUE(SF_FileInfo::parseTime(text.substr(11)).has_value());
}

TEST(FileInfo, DatesParseToSerialDays) {
  // Serial day 36526 is 1 January 2000; day 2 is 1 January 1900.
  EXPECT_EQ(SF_FileInfo::parseDate("01/01/2000"), 36526.0);
  EXPECT_EQ(SF_FileInfo::parseDate("1/1/1900"), 2.0);
  EXPECT_EQ(SF_FileInfo::parseDate(" 2000-01-02 "), 36527.0);
  EXPECT_EQ(SF_FileInfo::parseDate("01/01/29"), SF_FileInfo::parseDate("01/01/2029"));
  EXPECT_EQ(SF_FileInfo::parseDate("01/01/30"), SF_FileInfo::parseDate("01/01/1930"));
  EXPECT_EQ(SF_FileInfo::parseDate("02/29/2024"), 45351.0);
  for (const char* bad : {"", "02/30/2024", "02/29/2023", "13/01/2000", "00/10/2000", "1/1/200", "1/1/2000x",
                          "2000-1-1x", "10:00:00", "123/1/2000"})
    EXPECT_FALSE(SF_FileInfo::parseDate(bad).has_value()) << bad;
}

TEST(FileInfo, SerialDaysGiveTheirDateText) {
  EXPECT_EQ(SF_FileInfo::dateText(SF_FileInfo::fromDaySerial(36526)), "01/01/2000");
  EXPECT_EQ(SF_FileInfo::dateText(SF_FileInfo::fromDaySerial(45351.75)), "02/29/2024");
  EXPECT_EQ(SF_FileInfo::dateText(SF_FileInfo::fromDaySerial(0)), "12/30/1899");
  for (double d = 0; d < 80000; d += 97)
    EXPECT_EQ(SF_FileInfo::parseDate(SF_FileInfo::dateText(SF_FileInfo::fromDaySerial(d))), d);
}

TEST(FileInfo, TimesParseToSecondsAfterMidnight) {
  EXPECT_EQ(SF_FileInfo::parseTime("13:04:05"), 47045.0);
  EXPECT_EQ(SF_FileInfo::parseTime("00:00:00"), 0.0);
  EXPECT_EQ(SF_FileInfo::parseTime("1:05:07.25 pm"), 47107.25);
  EXPECT_EQ(SF_FileInfo::parseTime("12:30:00 AM"), 1800.0);
  EXPECT_EQ(SF_FileInfo::parseTime("12:30 PM"), 45000.0);
  for (const char* bad : {"", "24:00:00", "10:60:00", "10:00:60", "13:00:00 PM", "10", "10:00:", "a:b:c", "10:00:00x"})
    EXPECT_FALSE(SF_FileInfo::parseTime(bad).has_value()) << bad;
}
