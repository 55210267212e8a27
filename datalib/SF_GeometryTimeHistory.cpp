#include "SF_GeometryTimeHistory.h"

#include <string>

#include "SF_DataError.h"

std::shared_ptr<SF_GeometryTimeHistory> SF_GeometryTimeHistory::Copy() const {
  auto h = std::make_shared<SF_GeometryTimeHistory>();
  for (const auto& [record, g] : points_) h->points_.emplace(record, g->Copy());
  return h;
}

void SF_GeometryTimeHistory::setRelTimes(std::shared_ptr<SF_Time> ReferenceTime, SF_RefTimeType RefType) {
  if (!ReferenceTime) throw SF_DataError(SF_DataError::NoObject, "no reference time given");
  referenceTime_ = std::move(ReferenceTime);
  referenceType_ = RefType;
  const SF_Time& ref = *referenceTime_;
  const int n = Count();
  for (int i = 1; i <= n; ++i) Point(i)->Tm()->setRelTime(ref);
}

std::shared_ptr<SF_Time> SF_GeometryTimeHistory::startTime() const {
  if (!startTime_) startTime_ = std::make_shared<SF_Time>();
  return startTime_;
}

std::shared_ptr<SF_Time> SF_GeometryTimeHistory::ReferenceTime() const {
  if (!referenceTime_) referenceTime_ = std::make_shared<SF_Time>();
  return referenceTime_;
}

void SF_GeometryTimeHistory::setTimeStamps(const SF_Time& startTime, SF_TimeStampType StartTimeType,
                                           const SF_Time& RefTime, SF_RefTimeType RefType) {
  // Taken before anything changes: either argument may be a point's own time.
  const double startDate = startTime.CurrentDate();
  const double startSeconds = startTime.TODseconds();
  const SF_Time refBefore = RefTime;
  const auto start = this->startTime();
  start->CurrentDate(startDate);
  start->TODseconds(startSeconds);
  const auto ref = ReferenceTime();
  ref->CurrentDate(refBefore.CurrentDate());
  ref->TODseconds(refBefore.TODseconds());
  timeStampType_ = StartTimeType;
  referenceType_ = RefType;

  const double base = SF_ToSingle(startSeconds - SF_TimeStampOffset(StartTimeType));
  const int n = Count();
  for (int i = 1; i <= n; ++i) {
    const auto tm = Point(i)->Tm();
    tm->CurrentDate(startDate);
    tm->TODseconds(base + 0.5 * i);
  }
  for (int i = 1; i <= n; ++i) Point(i)->Tm()->setRelTime(refBefore);
}

std::shared_ptr<SF_Geometry> SF_GeometryTimeHistory::Point(std::int32_t nRecord) const {
  const auto it = points_.find(nRecord);
  if (it == points_.end())
    throw SF_DataError(SF_DataError::MissingEntry, "no point stored under " + std::to_string(nRecord));
  return it->second;
}

void SF_GeometryTimeHistory::Point(std::int32_t nRecord, std::shared_ptr<SF_Geometry> value) {
  if (!value) throw SF_DataError(SF_DataError::NoObject, "no point given for record " + std::to_string(nRecord));
  points_[nRecord] = std::move(value);
}

std::int16_t SF_GeometryTimeHistory::Count() const { return SF_ToInt16(static_cast<long long>(points_.size())); }
