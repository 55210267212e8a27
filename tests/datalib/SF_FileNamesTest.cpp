// File names are UTF-8 text on every platform: names outside ASCII (and
// outside any one ANSI code page) are written, found, read and reported whole.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SF_DataASCII.h"
#include "SF_FileInfo.h"
#include "../support/TempDir.h"

namespace {

std::filesystem::path pathOf(const std::string& utf8) { return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())); }

std::string nameOf(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

}  // namespace

TEST(FileNames, NamesOutsideAsciiAreWrittenReadAndReportedWhole) {
  TempDir dir;
  const std::vector<std::string> names = {"Überprüfung Straße.sth", "Ωμέγα 測定 ☂.txt"};
  for (const auto& name : names) {
    const std::string path = nameOf(dir.path() / pathOf(name));
    SF_DataASCII out;
    out.Lines({"first", "second"});
    ASSERT_EQ(out.writeLines(path), SF_DATA_OK) << name;
    ASSERT_EQ(out.appendLines(path), SF_DATA_OK) << name;
    SF_DataASCII in;
    ASSERT_EQ(in.readLines(path), SF_DATA_OK) << name;
    EXPECT_EQ(in.Lines(), (std::vector<std::string>{"first", "second", "first", "second"})) << name;
    EXPECT_EQ(SF_FileInfo::shared().fileName(path), name);
    EXPECT_FALSE(SF_FileInfo::shared().fileDateTime(path).empty()) << name;
  }
  std::vector<std::string> listed;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) listed.push_back(nameOf(entry.path().filename()));
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, names);
}
