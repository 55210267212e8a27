#pragma once
// What a programme gives at its receptors, week by week and period by
// period: Lmax (the loudest active piece of the phases working), the metric
// (the energy sum of their active pieces), each against the receptor's
// limit for the period, and per receptor and period the worst week, the
// weeks over each limit and the first and last week over.
//
// Weeks with the same phases working share their results: a cell is stored
// once per set of working phases and receptor.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class cProgrammeResults {
public:
  enum class State : std::uint8_t {
    noPhase,     // no phase works then
    incomplete,  // a phase working then is not available, or its input for the receptor is incomplete
    computed,
  };

  struct Cell {
    State state = State::noPhase;
    bool hasLevel = false;  // false: no active piece, so no metric level
    float lmax = 0.0f;
    float lmaxLimit = 0.0f;  // a level, valueNA or valueExempt
    float lmaxExceedance = 0.0f;  // a level above 0, valueNone, valueNA or valueExempt
    float level = 0.0f;
    float limit = 0.0f;
    float exceedance = 0.0f;
  };

  struct Receptor {
    std::int32_t id = 0;
    std::string description;
    std::string landUse;
  };

  // The worst of a receptor's weeks in one period.
  struct Summary {
    std::int32_t worstWeek = 0;  // 0: no week computed in the period
    std::int32_t weeksOverLmax = 0;
    std::int32_t weeksOverMetric = 0;
    std::int32_t firstWeekOver = 0;  // 0: never over
    std::int32_t lastWeekOver = 0;
  };

  std::int32_t noiseMetric = 2;  // 1 Leq, 2 L10
  std::int32_t weekCount = 0;
  std::vector<Receptor> receptors;
  std::vector<std::string> phaseNames;
  std::vector<std::string> messages;  // what kept phases or receptors from being computed

  // Week from 1, period 0 day, 1 evening, 2 night; receptor by position.
  const Cell& cell(std::size_t receptor, std::int32_t week, std::int32_t period) const;
  // The phases working then, by position, in programme order.
  const std::vector<std::size_t>& workingPhases(std::int32_t week, std::int32_t period) const;
  // Their names joined by "+"; empty when none works.
  std::string phasesText(std::int32_t week, std::int32_t period) const;
  Summary summary(std::size_t receptor, std::int32_t period) const;

  // Filled by the computation: the sets of working phases, the set of each
  // week and period (-1 for none), and the cells of each set, receptor by receptor.
  std::vector<std::vector<std::size_t>> combinations;
  std::vector<std::int32_t> combinationOf;  // index (week - 1) * 3 + period
  std::vector<Cell> cells;                  // index combination * receptors + receptor

  // Whether an exceedance is a level over its limit (not a marker, above 0).
  static bool exceeds(float exceedance);
};
