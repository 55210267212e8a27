// The equipment list: its rows read as the program reads them, then
// cEquipment::loadList.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "equipment/mEquipmentListFile.h"
#include "study/cEquipment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".equ");
  SF_FieldTable rows;
  if (readEquipmentListFields(file.name(), rows) != SF_DATA_OK) return 0;
  EquipmentList list;
  if (cEquipment::loadList(rows, list)) (void)buildEquipmentListLines(list, "01/01/2026");
  return 0;
}
