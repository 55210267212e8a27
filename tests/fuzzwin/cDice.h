#pragma once
// The one source of chance of a randomized run: every choice the careless
// user, the message boxes, the file prompts and the dialogs make comes from
// here, so a seed replays the whole run.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

class cDice {
public:
  explicit cDice(std::uint64_t seed) : engine_(seed) {}

  // 0 .. n-1 (0 when n < 1).
  int below(int n) { return n < 1 ? 0 : static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
  int between(int low, int high) { return low + below(high - low + 1); }
  bool chance(int percent) { return below(100) < percent; }
  template <typename T>
  const T& pick(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
  }

private:
  std::mt19937_64 engine_;
};
