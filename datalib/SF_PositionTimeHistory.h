#pragma once
// Positions of a moving source keyed by record number (32-bit), normally
// 1, 2, 3, ... in time order. Held in an ordered map, since record numbers of
// this width may be sparse. Positions are shared by reference; Copy is deep.

#include <cstdint>
#include <map>
#include <memory>

#include "SF_Position.h"
#include "SF_Time.h"

class SF_PositionTimeHistory {
public:
  // Copies of every stored position under their own record numbers.
  std::shared_ptr<SF_PositionTimeHistory> Copy() const;

  // Throws SF_DataError (MissingEntry) for a record never stored.
  std::shared_ptr<SF_Position> Position(std::int32_t nRecord) const;
  // Stores the reference, replacing any position of that record. Throws
  // SF_DataError (NoObject) for a null position.
  void Position(std::int32_t nRecord, std::shared_ptr<SF_Position> value);

  // The stored position nearer in time of the first pair of records i - 1, i
  // (i = 2 to Count) whose times of day enclose sfTime's; the later one when
  // both are as near. Throws SF_DataError (MissingEntry) when no pair
  // encloses the time or a record of 1..Count is missing.
  std::shared_ptr<SF_Position> PositionAt(const SF_Time& sfTime) const;

  // True when sfTime's time of day lies between those of records 1 and
  // Count; false for an empty history.
  bool GoodTime(const SF_Time& sfTime) const;

  // Number of stored positions; throws SF_DataError (Overflow) past 32767.
  std::int16_t Count() const;

private:
  std::map<std::int32_t, std::shared_ptr<SF_Position>> positions_;
};
