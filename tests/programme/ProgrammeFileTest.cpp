#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "programme/cProgramme.h"
#include "programme/mProgrammeFile.h"
#include "../support/CrLfLines.h"
#include "../support/TempDir.h"

namespace {

const std::string kData = VORN_TEST_DATA;

cProgrammePhase phase(const std::string& name, const std::string& path, std::int32_t first, std::int32_t last,
                      bool day, bool evening, bool night) {
  cProgrammePhase p;
  p.name = name;
  p.casePath = path;
  p.firstWeek = first;
  p.lastWeek = last;
  p.periods[0] = day;
  p.periods[1] = evening;
  p.periods[2] = night;
  return p;
}

std::string native(const std::filesystem::path& p) {
  const auto u = p.lexically_normal().make_preferred().u8string();
  return std::string(u.begin(), u.end());
}

}  // namespace

TEST(ProgrammeFile, SavedWithPathsRelativeToTheFile) {
  TempDir dir;
  cProgramme p;
  p.description = "Harbor bridge, 2027";
  p.noiseMetric = 2;
  p.criteriaPath = native(dir.path() / "criteria" / "site.cri");
  p.addPhase(phase("Demolition, east span", native(dir.path() / "cases" / "Demolition.cas"), 1, 6, true, true, false));
  p.addPhase(phase("Night works", native(dir.path() / "Night | Works.cas"), 5, 22, false, false, true));
  p.addPhase(phase("Elsewhere", native(dir.path().parent_path() / "other" / "x.cas"), 2, 3, true, false, false));
  const std::string path = dir.file("Bridge.vpg");
  ASSERT_EQ(mProgrammeFile::write(p, path), SF_DATA_OK);
  const std::string other = dir.path().parent_path().empty() ? "" : "../other/x.cas";
  EXPECT_EQ(TempDir::read(path), joinLines({"VORN Programme - Version 1.0",
                                            "\"Harbor bridge, 2027\"",
                                            "Metric,L10",
                                            "Criteria:,criteria/site.cri",
                                            "Phases...",
                                            "Phase:,\"Demolition, east span\",1,6,1,1,0",
                                            "Case:,cases/Demolition.cas",
                                            "Phase:,Night works,5,22,0,0,1",
                                            "Case:,Night | Works.cas",
                                            "Phase:,Elsewhere,2,3,1,0,0",
                                            "Case:," + other,
                                            "End..."}));
  cProgramme back;
  ASSERT_TRUE(mProgrammeFile::read(path, back));
  EXPECT_EQ(back.description, p.description);
  EXPECT_EQ(back.noiseMetric, 2);
  EXPECT_EQ(back.criteriaPath, p.criteriaPath);
  ASSERT_EQ(back.phases.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(back.phases[i].name, p.phases[i].name);
    EXPECT_EQ(back.phases[i].casePath, p.phases[i].casePath);
    EXPECT_EQ(back.phases[i].firstWeek, p.phases[i].firstWeek);
    EXPECT_EQ(back.phases[i].lastWeek, p.phases[i].lastWeek);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(back.phases[i].periods[k], p.phases[i].periods[k]);
  }
}

TEST(ProgrammeFile, MovedWithItsCasesItStillFindsThem) {
  TempDir a, b;
  cProgramme p;
  p.addPhase(phase("One", native(a.path() / "One.cas"), 1, 2, true, false, false));
  ASSERT_EQ(mProgrammeFile::write(p, a.file("P.vpg")), SF_DATA_OK);
  std::filesystem::copy_file(a.file("P.vpg"), b.file("P.vpg"));
  cProgramme moved;
  ASSERT_TRUE(mProgrammeFile::read(b.file("P.vpg"), moved));
  EXPECT_EQ(moved.phases[0].casePath, native(b.path() / "One.cas"));
  EXPECT_EQ(moved.criteriaPath, "");
  EXPECT_EQ(moved.noiseMetric, 0);
}

TEST(ProgrammeFile, DamagedFilesAreRefusedAndLeaveTheProgrammeAsItWas) {
  const std::vector<std::string> good = {"VORN Programme - Version 1.0", "P", "Metric,Leq", "Criteria:,", "Phases...",
                                         "Phase:,A,1,4,1,0,0", "Case:,a.cas", "End..."};
  struct Damage {
    std::size_t line;
    const char* text;  // nullptr: the line is removed
  };
  const Damage damages[] = {
      {0, "VORN Programme - Version 2.0"}, {2, "Metric,Lmax"},         {2, "Metrics,Leq"},
      {3, "Criteria,x.cri"},               {4, "Phase..."},             {5, "Phase:,A,0,4,1,0,0"},
      {5, "Phase:,A,5,4,1,0,0"},           {5, "Phase:,A,1,x,1,0,0"},   {5, "Phase:,A,1,4,1,0"},
      {5, "Phase:,A,1,4,1,0,yes"},         {5, "Phase:,A,1,10000,1,0,0"}, {6, "Case:,"},
      {6, "Cases:,a.cas"},                 {7, nullptr},                {6, nullptr},
  };
  TempDir dir;
  const std::string path = dir.file("p.vpg");
  TempDir::write(path, joinLines(good));
  cProgramme p;
  ASSERT_TRUE(mProgrammeFile::read(path, p));
  for (const Damage& d : damages) {
    auto lines = good;
    if (d.text)
      lines[d.line] = d.text;
    else
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(d.line));
    TempDir::write(path, joinLines(lines));
    cProgramme kept = p;
    kept.description = "kept";
    EXPECT_FALSE(mProgrammeFile::read(path, kept)) << d.line << ": " << (d.text ? d.text : "(removed)");
    EXPECT_EQ(kept.description, "kept");
  }
  EXPECT_FALSE(mProgrammeFile::read(dir.file("none.vpg"), p));
}

TEST(ProgrammeFile, AFailedSaveWritesNothing) {
  TempDir dir;
  cProgramme p;
  p.addPhase(phase("A", native(dir.path() / "a.cas"), 1, 1, true, false, false));
  EXPECT_EQ(mProgrammeFile::write(p, dir.file("missing/p.vpg")), SF_DATA_FILE_ERROR);
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

TEST(ProgrammeFile, TheShippedHandWorkedProgrammeReads) {
  cProgramme p;
  ASSERT_TRUE(mProgrammeFile::read(kData + "/Hand Worked.vpg", p));
  ASSERT_EQ(p.phases.size(), 3u);
  EXPECT_EQ(p.phases[2].name, "Night Paving");
  // Made full against the file's own directory (on Windows with its drive).
  EXPECT_TRUE(std::filesystem::equivalent(native(std::filesystem::path(kData) / "Night Paving.cas"),
                                          std::filesystem::path(std::u8string(p.phases[2].casePath.begin(),
                                                                              p.phases[2].casePath.end()))));
  EXPECT_EQ(p.noiseMetric, 0);
}
