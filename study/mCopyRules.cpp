#include "study/mCopyRules.h"

namespace mCopyRules {

namespace {

bool isBaseline(std::int32_t col) { return col >= 3 && col <= 5; }

}  // namespace

Decision equipment(std::int32_t sourceCol, std::int32_t targetCol) {
  const bool sameKind = sourceCol == targetCol &&
                        (sourceCol == 1 || sourceCol == 2 || sourceCol == 3 || sourceCol == 9 || sourceCol == 10);
  if (sameKind) return {Verdict::Allow, {}};
  if (targetCol >= 3 && targetCol <= 8) return {Verdict::RefuseWithMessage, "Can't copy data into this protected cell"};
  return {Verdict::Refuse, {}};
}

Decision receptor(std::int32_t sourceCol, std::int32_t targetCol) {
  const bool sameKind = (sourceCol == targetCol && (sourceCol == 1 || sourceCol == 2)) ||
                        (isBaseline(sourceCol) && isBaseline(targetCol));
  if (sameKind) return {Verdict::Allow, {}};
  return {Verdict::RefuseWithMessage, "Can't copy data from a different data-type cell"};
}

}  // namespace mCopyRules
