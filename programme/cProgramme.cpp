#include "programme/cProgramme.h"

#include <algorithm>
#include <utility>

std::int32_t cProgramme::weekCount() const {
  std::int32_t last = 0;
  for (const auto& p : phases) last = std::max(last, p.lastWeek);
  return last;
}

void cProgramme::addPhase(cProgrammePhase phase) { phases.push_back(std::move(phase)); }

bool cProgramme::removePhase(std::size_t index) {
  if (index >= phases.size()) return false;
  phases.erase(phases.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

bool cProgramme::movePhase(std::size_t index, int direction) {
  if (index >= phases.size() || (direction != -1 && direction != 1)) return false;
  if (direction < 0 && index == 0) return false;
  const std::size_t other = direction < 0 ? index - 1 : index + 1;
  if (other >= phases.size()) return false;
  std::swap(phases[index], phases[other]);
  return true;
}
