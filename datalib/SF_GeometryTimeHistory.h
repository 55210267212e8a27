#pragma once
// Source-to-microphone geometry per record: SF_Geometry points keyed by
// record number (32-bit, held in an ordered map since such numbers may be
// sparse), with start and reference times and their types. Points are
// shared by reference; Copy is deep but copies the points only.

#include <cstdint>
#include <map>
#include <memory>

#include "SF_Enums.h"
#include "SF_Geometry.h"
#include "SF_Time.h"

class SF_GeometryTimeHistory {
public:
  // Copies of every stored point under their own record numbers; times and
  // types of the new history stay at their initial values.
  std::shared_ptr<SF_GeometryTimeHistory> Copy() const;

  SF_RefTimeType ReferenceType() const { return referenceType_; }
  void ReferenceType(SF_RefTimeType value) { referenceType_ = value; }
  SF_TimeStampType TimeStampType() const { return timeStampType_; }
  void TimeStampType(SF_TimeStampType value) { timeStampType_ = value; }

  // Stores ReferenceTime by reference and the type, then sets the relative
  // time of the Tm of points 1..Count to it.
  void setRelTimes(std::shared_ptr<SF_Time> ReferenceTime, SF_RefTimeType RefType);

  // Created on first read; setting stores the reference given.
  std::shared_ptr<SF_Time> startTime() const;
  void startTime(std::shared_ptr<SF_Time> value) { startTime_ = std::move(value); }
  std::shared_ptr<SF_Time> ReferenceTime() const;
  void ReferenceTime(std::shared_ptr<SF_Time> value) { referenceTime_ = std::move(value); }

  // As for a spectral time history: copies the day and time of day of the two
  // times, stores the types, stamps the Tm of points 1..Count 0.5 s apart and
  // sets their relative times to RefTime.
  void setTimeStamps(const SF_Time& startTime, SF_TimeStampType StartTimeType, const SF_Time& RefTime,
                     SF_RefTimeType RefType);

  // Throws SF_DataError (MissingEntry) for a record never stored.
  std::shared_ptr<SF_Geometry> Point(std::int32_t nRecord) const;
  // Throws SF_DataError (NoObject) for a null point.
  void Point(std::int32_t nRecord, std::shared_ptr<SF_Geometry> value);

  // Number of stored points; throws SF_DataError (Overflow) past 32767.
  std::int16_t Count() const;

private:
  std::map<std::int32_t, std::shared_ptr<SF_Geometry>> points_;
  mutable std::shared_ptr<SF_Time> startTime_;
  mutable std::shared_ptr<SF_Time> referenceTime_;
  SF_TimeStampType timeStampType_ = SF_START;
  SF_RefTimeType referenceType_ = SF_START_REF;
};
