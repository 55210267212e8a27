#include "study/mCopyRules.h"

#include <gtest/gtest.h>

namespace {

using mCopyRules::Verdict;

struct Case {
  int source;
  int target;
  Verdict verdict;
};

constexpr const char* kProtected = "Can't copy data into this protected cell";
constexpr const char* kDifferentType = "Can't copy data from a different data-type cell";

TEST(CopyRules, EquipmentColumnsTakeOnlyTheirOwnKindAndSayNoOnlyOverProtectedCells) {
  const Case cases[] = {
      {1, 1, Verdict::Allow},   {2, 2, Verdict::Allow},   {3, 3, Verdict::Allow},
      {9, 9, Verdict::Allow},   {10, 10, Verdict::Allow},
      // Usage and the Lmax columns never give, not even to themselves.
      {4, 4, Verdict::RefuseWithMessage}, {5, 5, Verdict::RefuseWithMessage},
      {6, 6, Verdict::RefuseWithMessage}, {7, 7, Verdict::RefuseWithMessage},
      {8, 8, Verdict::RefuseWithMessage}, {4, 3, Verdict::RefuseWithMessage},
      {4, 1, Verdict::Refuse},  {8, 10, Verdict::Refuse},
      // Other kinds: a message only where the target is protected (3 to 8).
      {1, 3, Verdict::RefuseWithMessage}, {2, 8, Verdict::RefuseWithMessage},
      {9, 4, Verdict::RefuseWithMessage}, {10, 9, Verdict::Refuse},
      {9, 10, Verdict::Refuse}, {1, 2, Verdict::Refuse}, {2, 9, Verdict::Refuse},
      {-1, 1, Verdict::Refuse}, {-1, 3, Verdict::RefuseWithMessage},
  };
  for (const Case& c : cases) {
    const mCopyRules::Decision d = mCopyRules::equipment(c.source, c.target);
    EXPECT_EQ(d.verdict, c.verdict) << c.source << " -> " << c.target;
    EXPECT_EQ(d.allowed(), c.verdict == Verdict::Allow);
    EXPECT_EQ(d.message, c.verdict == Verdict::RefuseWithMessage ? kProtected : "") << c.source << " -> " << c.target;
  }
}

TEST(CopyRules, ReceptorBaselinesAreInterchangeableAndEverythingElseMatchesOnlyItself) {
  const Case cases[] = {
      {1, 1, Verdict::Allow}, {2, 2, Verdict::Allow}, {3, 5, Verdict::Allow}, {5, 3, Verdict::Allow},
      {4, 4, Verdict::Allow}, {3, 4, Verdict::Allow},
      {1, 3, Verdict::RefuseWithMessage}, {3, 1, Verdict::RefuseWithMessage},
      {1, 2, Verdict::RefuseWithMessage}, {2, 5, Verdict::RefuseWithMessage},
      {-1, 1, Verdict::RefuseWithMessage},
  };
  for (const Case& c : cases) {
    const mCopyRules::Decision d = mCopyRules::receptor(c.source, c.target);
    EXPECT_EQ(d.verdict, c.verdict) << c.source << " -> " << c.target;
    EXPECT_EQ(d.message, c.verdict == Verdict::Allow ? "" : kDifferentType);
  }
}

}  // namespace
