#pragma once
// The equipment sheet manager, core side: the equipment list the description
// column offers (colList) and the parser that turns the rows of an equipment
// list file into that list. The sheet itself is drawn by the window.

#include <memory>
#include <string_view>
#include <vector>

#include "SF_FieldTable.h"
#include "study/cEquipmentRecord.h"

using EquipmentList = std::vector<std::shared_ptr<cEquipmentRecord>>;

class cEquipment {
public:
  EquipmentList record;
  EquipmentList colList;  // the equipment types of the loaded list, in file order
  EquipmentList colUser;

  // Empties target and fills it with one equipment type per line after the
  // four header lines. False when line 1 does not name an equipment list or
  // a line is short of fields; the types read before the fault stay in target.
  static bool loadList(const SF_FieldTable& lines, EquipmentList& target);

  // A list field as a level or usage: text that is not a number gives valueNA.
  static float numberFromText(std::string_view text);
};
