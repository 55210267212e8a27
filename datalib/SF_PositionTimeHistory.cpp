#include "SF_PositionTimeHistory.h"

#include <cmath>
#include <string>

#include "SF_DataError.h"

std::shared_ptr<SF_PositionTimeHistory> SF_PositionTimeHistory::Copy() const {
  auto h = std::make_shared<SF_PositionTimeHistory>();
  for (const auto& [record, p] : positions_) h->positions_.emplace(record, p->Copy());
  return h;
}

std::shared_ptr<SF_Position> SF_PositionTimeHistory::Position(std::int32_t nRecord) const {
  const auto it = positions_.find(nRecord);
  if (it == positions_.end())
    throw SF_DataError(SF_DataError::MissingEntry, "no position stored under " + std::to_string(nRecord));
  return it->second;
}

void SF_PositionTimeHistory::Position(std::int32_t nRecord, std::shared_ptr<SF_Position> value) {
  if (!value) throw SF_DataError(SF_DataError::NoObject, "no position given for record " + std::to_string(nRecord));
  positions_[nRecord] = std::move(value);
}

std::shared_ptr<SF_Position> SF_PositionTimeHistory::PositionAt(const SF_Time& sfTime) const {
  const double t = sfTime.TODseconds();
  const int n = Count();
  for (int i = 2; i <= n; ++i) {
    const auto before = Position(i - 1);
    const auto after = Position(i);
    const double s1 = before->Time()->TODseconds();
    const double s2 = after->Time()->TODseconds();
    if (s1 <= t && t <= s2) return std::fabs(t - s1) < std::fabs(s2 - t) ? before : after;
  }
  throw SF_DataError(SF_DataError::MissingEntry, "no position at time " + sfTime.TODstring());
}

bool SF_PositionTimeHistory::GoodTime(const SF_Time& sfTime) const {
  const int n = Count();
  if (n == 0) return false;
  const double t = sfTime.TODseconds();
  return Position(1)->Time()->TODseconds() <= t && t <= Position(n)->Time()->TODseconds();
}

std::int16_t SF_PositionTimeHistory::Count() const {
  return SF_ToInt16(static_cast<long long>(positions_.size()));
}
