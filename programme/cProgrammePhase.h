#pragma once
// One phase of a construction programme: a case of its own (equipment,
// usage, distances), the weeks it runs and the periods it works in.

#include <cstdint>
#include <string>

class cProgrammePhase {
public:
  static constexpr std::int32_t firstWeekAllowed = 1;
  static constexpr std::int32_t lastWeekAllowed = 9999;

  std::string name;      // Windows-1252 text, as every text of the core
  std::string casePath;  // the phase's case file, a full path (UTF-8 bytes)
  std::int32_t firstWeek = 1;
  std::int32_t lastWeek = 1;
  bool periods[3] = {true, false, false};  // day, evening, night

  // Whether the phase works in this week (from 1) and period (0 day, 1
  // evening, 2 night).
  bool worksIn(std::int32_t week, std::int32_t period) const;
  // The periods worked joined by "+" ("Day+Night"), or "None".
  std::string periodsText() const;
  // Weeks and periods as the file and the window accept them.
  static bool validWeeks(std::int32_t first, std::int32_t last);
};
