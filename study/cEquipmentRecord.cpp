#include "study/cEquipmentRecord.h"

#include "study/mMarkers.h"

std::shared_ptr<cEquipmentRecord> cEquipmentRecord::copy() const {
  return std::make_shared<cEquipmentRecord>(*this);
}

std::shared_ptr<cEquipmentRecord> cEquipmentRecord::newRecord() {
  auto e = std::make_shared<cEquipmentRecord>();
  e->description = " ";
  e->impactDevice = 1;
  e->spec_lmax = valueNA;
  e->actual_lmax = valueNA;
  return e;
}
