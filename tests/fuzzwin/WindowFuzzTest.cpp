// The whole program under a careless user: random actions in the real main
// window, offscreen, with the invariants checked after each one. CI runs a
// few fixed seeds for a bounded number of actions; tools/run-window-fuzz.sh
// runs any number with any seed through VORN_FUZZ_SEED and VORN_FUZZ_ACTIONS.

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/fuzzwin/cRandomUser.h"

namespace {

// Actions per seed in CI: about a minute in the normal build and under the
// sanitizers (whose build is the slower one).
#if defined(__SANITIZE_ADDRESS__)
constexpr int kActionsPerSeed = 500;
#else
constexpr int kActionsPerSeed = 4000;
#endif
constexpr std::uint64_t kSeeds[] = {1, 2, 3};

std::string fuzz(std::uint64_t seed, int actions) {
  fprintf(stderr, "window fuzz: seed %llu, %d actions\n", static_cast<unsigned long long>(seed), actions);
  cRandomUser user(seed);
  if (!user.start()) return "the program did not start";
  return user.run(actions);
}

TEST(WindowFuzz, ACarelessUserLeavesTheCaseSound) {
  const char* seed = std::getenv("VORN_FUZZ_SEED");
  const char* actions = std::getenv("VORN_FUZZ_ACTIONS");
  const int count = actions ? std::atoi(actions) : kActionsPerSeed;
  if (seed) {
    const std::string failure = fuzz(std::strtoull(seed, nullptr, 10), count);
    EXPECT_TRUE(failure.empty()) << failure;
    return;
  }
  for (std::uint64_t s : kSeeds) {
    const std::string failure = fuzz(s, count);
    ASSERT_TRUE(failure.empty()) << failure;
  }
}

}  // namespace
