// The programme worked out by hand (tests/programme/data):
//   Demolition   weeks 1-4, day and evening: an excavator (80 dBA, 50 %) and an
//                inactive concrete saw; House A at 50 ft, Shop B at 200 ft.
//   Piling       weeks 3-5, day: an impact pile driver (95 dBA, 20 %);
//                House A at 200 ft, Shop B at 100 ft.
//   Night Paving weeks 7-8, night only: a paver (77 dBA, 50 %);
//                House A at 100 ft, Shop B at 50 ft.
//   Week 6 has no phase. Criteria: the first phase's.
// House A, day, week 3: excavator Leq 80 - 3.0103 = 76.9897 (5.0e7), pile
// driver Lmax 95 - 12.0412 = 82.9588, Leq 82.9588 - 6.9897 = 75.9691
// (3.9528e7); 10 log10(8.9528e7) = 79.5196 against 75: 4.5, the worst day.

#include <bit>
#include <cstdint>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "compute/mAsItStands.h"
#include "programme/cPhaseCases.h"
#include "programme/cProgramme.h"
#include "programme/mProgrammeCompute.h"
#include "programme/mProgrammeFile.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"
#include "../support/TempDir.h"

namespace {

const std::string kData = VORN_TEST_DATA;
using State = cProgrammeResults::State;

cProgramme handWorked() {
  cProgramme p;
  EXPECT_TRUE(mProgrammeFile::read(kData + "/Hand Worked.vpg", p));
  return p;
}

std::uint32_t bits(float f) { return std::bit_cast<std::uint32_t>(f); }

struct Computed {
  cProgramme programme;
  cPhaseCases cases;
  cProgrammeResults results;
};

std::unique_ptr<Computed> compute(cProgramme programme) {
  auto c = std::make_unique<Computed>();
  c->programme = std::move(programme);
  c->cases.load(c->programme);
  c->results = mProgrammeCompute::compute(c->programme, c->cases);
  return c;
}

void copyFile(const std::string& from, const std::string& to) { TempDir::write(to, TempDir::read(from)); }

// The programme's cases copied into a directory of their own, to be spoilt.
cProgramme copiedTo(const TempDir& dir) {
  for (const char* name : {"Demolition.cas", "Piling.cas", "Night Paving.cas"})
    copyFile(kData + "/" + name, dir.file(name));
  cProgramme p = handWorked();
  for (auto& phase : p.phases)
    phase.casePath = dir.file(std::filesystem::path(phase.casePath).filename().string());
  return p;
}

}  // namespace

TEST(ProgrammeCompute, HandWorkedWeeksAndPeriods) {
  const auto c = compute(handWorked());
  const cProgrammeResults& r = c->results;
  ASSERT_EQ(r.weekCount, 8);
  ASSERT_EQ(r.receptors.size(), 2u);
  EXPECT_EQ(r.noiseMetric, 1);
  EXPECT_TRUE(r.messages.empty());

  // Overlap: the louder piece for Lmax, the energy sum for Leq.
  const auto& overlap = r.cell(0, 3, 0);
  ASSERT_EQ(overlap.state, State::computed);
  EXPECT_NEAR(overlap.lmax, 82.9588f, 1e-3);
  EXPECT_NEAR(overlap.level, 79.5196f, 1e-3);
  EXPECT_EQ(overlap.lmaxLimit, 85.0f);  // a non-impact piece works: Non-Impact limit
  EXPECT_TRUE(isValueNone(overlap.lmaxExceedance));
  EXPECT_NEAR(overlap.exceedance, 4.5196f, 1e-3);
  EXPECT_EQ(r.phasesText(3, 0), "Demolition+Piling");

  // The pile driver alone: every linked piece is an impact device.
  EXPECT_EQ(r.cell(0, 5, 0).lmaxLimit, 90.0f);
  // A level equal to its limit does not exceed it.
  EXPECT_EQ(r.cell(0, 1, 1).lmax, 80.0f);
  EXPECT_TRUE(isValueNone(r.cell(0, 1, 1).lmaxExceedance));
  // Night only, against the baseline plus 5.
  EXPECT_EQ(r.cell(0, 7, 2).limit, 55.0f);
  EXPECT_EQ(r.cell(0, 7, 0).state, State::noPhase);
  for (std::int32_t p = 0; p < 3; ++p) {
    EXPECT_EQ(r.cell(0, 6, p).state, State::noPhase) << p;
    EXPECT_EQ(r.phasesText(6, p), "");
  }
}

TEST(ProgrammeCompute, WorstWeekAndWeeksOver) {
  const auto c = compute(handWorked());
  struct Row {
    std::size_t receptor;
    std::int32_t period, worst, overLmax, overMetric, first, last;
  };
  const Row rows[] = {
      {0, 0, 3, 0, 5, 1, 5}, {0, 1, 1, 0, 4, 1, 4}, {0, 2, 7, 0, 2, 7, 8},
      {1, 0, 3, 2, 3, 3, 5}, {1, 1, 1, 0, 0, 0, 0}, {1, 2, 7, 0, 2, 7, 8},
  };
  for (const Row& row : rows) {
    const auto s = c->results.summary(row.receptor, row.period);
    EXPECT_EQ(s.worstWeek, row.worst) << row.receptor << "/" << row.period;
    EXPECT_EQ(s.weeksOverLmax, row.overLmax) << row.receptor << "/" << row.period;
    EXPECT_EQ(s.weeksOverMetric, row.overMetric) << row.receptor << "/" << row.period;
    EXPECT_EQ(s.firstWeekOver, row.first) << row.receptor << "/" << row.period;
    EXPECT_EQ(s.lastWeekOver, row.last) << row.receptor << "/" << row.period;
  }
}

// A week of two phases is what one case holding both phases' equipment gives.
TEST(ProgrammeCompute, OverlapEqualsOneCaseOfBothPhasesToTheBit) {
  const auto c = compute(handWorked());
  const cStudy& demolition = *c->cases.phases()[0].study;
  const cStudy& piling = *c->cases.phases()[1].study;
  cStudy merged;
  merged.NoiseMetric = demolition.NoiseMetric;
  merged.adjustmentFactor = demolition.adjustmentFactor;
  for (std::int32_t code = 0; code < 3; ++code)
    merged.NoiseLimits.table(code)->copy(*demolition.NoiseLimits.table(code));
  for (const cStudy* s : {&demolition, &piling})
    for (const auto& e : s->colEquipment) {
      auto copy = e->copy();
      copy->rowID = static_cast<std::int16_t>(merged.colEquipment.size() + 1);
      merged.colEquipment.push_back(copy);
    }
  for (std::size_t i = 0; i < demolition.colReceptors.size(); ++i) {
    auto r = demolition.colReceptors[i]->copy();
    for (const auto& link : piling.colReceptors[i]->colLinks) {
      auto l = link->copy();
      l->equipID += static_cast<std::int32_t>(demolition.colEquipment.size());
      r->colLinks.push_back(l);
    }
    merged.colReceptors.push_back(r);
  }
  for (std::size_t i = 0; i < 2; ++i) {
    const auto one = mAsItStands::computeReceptor(merged, static_cast<std::int32_t>(i + 1));
    ASSERT_TRUE(one);
    const auto& cell = c->results.cell(i, 3, 0);
    EXPECT_EQ(bits(cell.lmax), bits(one->calculated_totals.Lmax())) << i;
    EXPECT_EQ(bits(cell.level), bits(one->calculated_totals.Leq())) << i;
    EXPECT_EQ(bits(cell.lmaxLimit), bits(one->day_lotLine_totals.Lmax())) << i;
    EXPECT_EQ(bits(cell.lmaxExceedance), bits(one->day_exceed_totals.Lmax())) << i;
    EXPECT_EQ(bits(cell.exceedance), bits(one->day_exceed_totals.Leq())) << i;
  }
}

TEST(ProgrammeCompute, ReceptorMismatchIsRefusedNamingPhaseAndReceptor) {
  struct Spoilt {
    const char* from;
    const char* to;
    const char* message;
  };
  const Spoilt cases[] = {
      {"Receptor:,2,Shop B,", "Receptor:,2,Shop C,",
       "Phase 3 \"Night Paving\": Receptor #2 \"Shop C\" does not match Receptor #2 \"Shop B\" of Phase 1 "
       "\"Demolition\"."},
      {"Criteria...", "Receptor:,3,Kiosk,Commercial,65,60,55\r\nLink:,1,80,0\r\nCriteria...",
       "Phase 3 \"Night Paving\": Receptor #3 \"Kiosk\" is not in Phase 1 \"Demolition\"."},
  };
  for (const Spoilt& s : cases) {
    TempDir dir;
    cProgramme p = copiedTo(dir);
    std::string text = TempDir::read(dir.file("Night Paving.cas"));
    text.replace(text.find(s.from), std::string(s.from).size(), s.to);
    TempDir::write(dir.file("Night Paving.cas"), text);
    const auto c = compute(std::move(p));
    ASSERT_EQ(c->cases.phases()[2].state, cPhaseCases::State::mismatch);
    ASSERT_EQ(c->results.messages.size(), 1u);
    EXPECT_EQ(c->results.messages[0], s.message);
    // The refused phase's weeks are not computed; the others are.
    EXPECT_EQ(c->results.cell(0, 7, 2).state, State::incomplete);
    EXPECT_EQ(c->results.phasesText(7, 2), "Night Paving");
    EXPECT_EQ(c->results.cell(0, 3, 0).state, State::computed);
  }
}

TEST(ProgrammeCompute, PhaseWithFewerReceptorsIsRefused) {
  TempDir dir;
  cProgramme p = copiedTo(dir);
  std::string text = TempDir::read(dir.file("Piling.cas"));
  const auto from = text.find("Receptor:,2,");
  text.erase(from, text.find("Criteria...") - from);
  TempDir::write(dir.file("Piling.cas"), text);
  const auto c = compute(std::move(p));
  ASSERT_EQ(c->results.messages.size(), 1u);
  EXPECT_EQ(c->results.messages[0],
            "Phase 2 \"Piling\": it has no Receptor #2 \"Shop B\" of Phase 1 \"Demolition\".");
}

TEST(ProgrammeCompute, MissingAndUnreadablePhasesAreNamedAndMarkedUnavailable) {
  TempDir dir;
  cProgramme p = copiedTo(dir);
  std::filesystem::remove(dir.file("Piling.cas"));
  TempDir::write(dir.file("Night Paving.cas"), "not a case\r\n");
  const auto c = compute(std::move(p));
  EXPECT_EQ(c->cases.phases()[1].state, cPhaseCases::State::missing);
  EXPECT_EQ(c->cases.phases()[2].state, cPhaseCases::State::unreadable);
  ASSERT_EQ(c->results.messages.size(), 2u);
  EXPECT_EQ(c->results.messages[0],
            "Phase 2 \"Piling\": the case file \"" + dir.file("Piling.cas") + "\" was not found.");
  EXPECT_EQ(c->results.messages[1],
            "Phase 3 \"Night Paving\": Problem reading case file \"" + dir.file("Night Paving.cas") + "\".");
  // Demolition alone is still computed; where a missing phase works, nothing is.
  EXPECT_EQ(c->results.cell(0, 1, 0).state, State::computed);
  EXPECT_EQ(c->results.cell(0, 3, 0).state, State::incomplete);
  EXPECT_EQ(c->results.cell(0, 5, 0).state, State::incomplete);
  EXPECT_EQ(c->results.summary(0, 0).worstWeek, 1);
}

TEST(ProgrammeCompute, FirstPhaseMissingLeavesTheNextForReceptorsAndCriteria) {
  TempDir dir;
  cProgramme p = copiedTo(dir);
  std::filesystem::remove(dir.file("Demolition.cas"));
  const auto c = compute(std::move(p));
  EXPECT_EQ(c->cases.referencePhase(), 1u);
  ASSERT_EQ(c->results.receptors.size(), 2u);
  // Piling's criteria are all N/A: no limit applies.
  EXPECT_TRUE(isValueNA(c->results.cell(0, 5, 0).limit));
}

TEST(ProgrammeCompute, IncompleteReceptorOfAPhaseIsNamedWithTheReason) {
  TempDir dir;
  cProgramme p = copiedTo(dir);
  std::string text = TempDir::read(dir.file("Piling.cas"));
  text.replace(text.find("Link:,1,100,0"), 13, "Link:,1,0,0");
  TempDir::write(dir.file("Piling.cas"), text);
  const auto c = compute(std::move(p));
  ASSERT_EQ(c->results.messages.size(), 1u);
  EXPECT_EQ(c->results.messages[0],
            "Phase 2 \"Piling\": Receptor #2 not computed. Please set the distance greater than zero for "
            "Equipment #1.");
  EXPECT_EQ(c->results.cell(1, 3, 0).state, State::incomplete);
  EXPECT_EQ(c->results.cell(0, 3, 0).state, State::computed);
  EXPECT_EQ(c->results.cell(1, 1, 0).state, State::computed);
}

TEST(ProgrammeCompute, NamedCriteriaFileAndProgrammeMetric) {
  cProgramme p = handWorked();
  p.criteriaPath = kData + "/Site Criteria.cri";
  auto c = compute(p);
  // The site's criteria put the residential day Leq limit at 70.
  EXPECT_EQ(c->results.cell(0, 1, 0).limit, 70.0f);
  EXPECT_NEAR(c->results.cell(0, 1, 0).exceedance, 6.9897f, 1e-3);

  p.criteriaPath = kData + "/No Such Criteria.cri";
  c = compute(p);
  ASSERT_EQ(c->results.messages.size(), 1u);
  EXPECT_NE(c->results.messages[0].find("Problem reading Noise Limit Criteria file"), std::string::npos);
  EXPECT_TRUE(isValueNA(c->results.cell(0, 1, 0).limit));

  p.criteriaPath.clear();
  p.noiseMetric = 2;  // L10: Leq + the phase's adjustment of 3 dB
  c = compute(p);
  EXPECT_EQ(c->results.noiseMetric, 2);
  EXPECT_NEAR(c->results.cell(0, 1, 0).level, 79.9897f, 1e-3);
  EXPECT_EQ(c->results.cell(0, 1, 0).limit, 80.0f);
}

// As in the main window, a case without an active piece is not computed.
TEST(ProgrammeCompute, PhaseWithoutAnActivePieceIsNotComputed) {
  TempDir dir;
  cProgramme p = copiedTo(dir);
  std::string text = TempDir::read(dir.file("Night Paving.cas"));
  text.replace(text.find("Equipment:,1,1,Paver"), 13, "Equipment:,0,");
  TempDir::write(dir.file("Night Paving.cas"), text);
  const auto c = compute(std::move(p));
  ASSERT_EQ(c->results.messages.size(), 2u);
  EXPECT_EQ(c->results.messages[0],
            "Phase 3 \"Night Paving\": Receptor #1 not computed. There must be at least one active piece of equipment.");
  EXPECT_EQ(c->results.cell(0, 7, 2).state, State::incomplete);
  EXPECT_EQ(c->results.cell(1, 8, 2).state, State::incomplete);
  EXPECT_EQ(c->results.summary(0, 2).worstWeek, 0);
}

TEST(Programme, EditsKeepOrderAndWeeks) {
  cProgramme p = handWorked();
  EXPECT_EQ(p.weekCount(), 8);
  EXPECT_TRUE(p.movePhase(2, -1));
  EXPECT_EQ(p.phases[1].name, "Night Paving");
  EXPECT_FALSE(p.movePhase(0, -1));
  EXPECT_FALSE(p.movePhase(2, 1));
  EXPECT_TRUE(p.removePhase(1));
  EXPECT_FALSE(p.removePhase(5));
  EXPECT_EQ(p.weekCount(), 5);
  EXPECT_EQ(p.phases[1].periodsText(), "Day");
  cProgrammePhase none;
  none.periods[0] = false;
  EXPECT_EQ(none.periodsText(), "None");
  EXPECT_FALSE(cProgrammePhase::validWeeks(3, 2));
  EXPECT_FALSE(cProgrammePhase::validWeeks(0, 2));
  EXPECT_TRUE(cProgrammePhase::validWeeks(2, 2));
}

TEST(ProgrammeCompute, ShippedExampleComputesWhole) {
  cProgramme p;
  ASSERT_TRUE(mProgrammeFile::read(std::string(VORN_SOURCE_DIR) + "/examples/Riverside Library.vpg", p));
  EXPECT_EQ(p.description, "Riverside Library rebuild, 24 weeks");
  const auto c = compute(std::move(p));
  EXPECT_TRUE(c->results.messages.empty());
  EXPECT_GE(c->results.weekCount, 20);
  ASSERT_EQ(c->results.receptors.size(), 4u);
  std::size_t nightOnly = 0, overlaps = 0;
  for (std::int32_t week = 1; week <= c->results.weekCount; ++week) {
    if (c->results.workingPhases(week, 0).size() > 1) ++overlaps;
    if (!c->results.workingPhases(week, 2).empty() && c->results.workingPhases(week, 0).size() <= 1) ++nightOnly;
    for (std::int32_t period = 0; period < 3; ++period) {
      if (!c->results.workingPhases(week, period).empty()) {
        EXPECT_EQ(c->results.cell(0, week, period).state, State::computed) << week;
      }
    }
  }
  EXPECT_GT(overlaps, 0u);
  EXPECT_GT(nightOnly, 0u);
}
