#pragma once
// The equipment list file: four header lines, then one line per equipment
// type (description, impact, usage, spec Lmax, actual Lmax). Written and read
// through SF_DataASCII with comma fields that may be quoted.

#include <string>
#include <vector>

#include "SF_DataMessage.h"
#include "SF_FieldTable.h"
#include "study/IMessageService.h"
#include "study/cEquipment.h"

// The lines of a list file; revisedDate is "MM/DD/YYYY".
std::vector<std::string> buildEquipmentListLines(const EquipmentList& list, const std::string& revisedDate);

// Writes the list over path; the old file stays whole when the write fails.
SF_DataMessage writeEquipmentList(const EquipmentList& list, const std::string& path,
                                  const std::string& revisedDate);

// Reads the rows of a list file for cEquipment::loadList.
SF_DataMessage readEquipmentListFields(const std::string& path, SF_FieldTable& rows);

// "N/A" for the marker, otherwise the shortest number text.
std::string equipmentNumberText(float value);

// The startup load: reads the default list beside the program into the
// manager's colList. On failure the user is told and false is returned, and
// the program is expected to end.
bool loadDefaultEquipmentList(cEquipment& manager, const std::string& programDir, IMessageService& messages);
// The same into any list, which is replaced only when the whole file was
// read: a missing or faulty default file leaves target as it was.
bool loadDefaultEquipmentList(EquipmentList& target, const std::string& programDir, IMessageService& messages);

// A list file at path into target, replaced only when the whole file was
// read; shown names the file in the messages ("Could not open: '" or
// "Error reading '" + shown + "'!"). False after the message otherwise.
bool loadEquipmentListFile(EquipmentList& target, const std::string& path, const std::string& shownName,
                           IMessageService& messages);
