#pragma once
// The new-entry row of the equipment-list editor, as its validation sees it.

#include <cstdint>

class INewEquipmentEntry {
public:
  virtual ~INewEquipmentEntry() = default;
  // 1 enables adding the entry, 2 refuses it.
  virtual void setAddButtonOn(int state) = 0;
  virtual void setActiveCell(std::int32_t col, std::int32_t row) = 0;
};
