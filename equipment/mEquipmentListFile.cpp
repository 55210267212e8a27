#include "equipment/mEquipmentListFile.h"

#include <exception>

#include "SF_DataASCII.h"
#include "base/mProgramFileLimit.h"
#include "base/mProgramDirectory.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace {

std::string trimBlanks(const std::string& s) {
  const std::size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  const std::size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

SF_DataASCII listFileAccess() {
  SF_DataASCII file;
  file.MaxFileBytes(kProgramFileMaxBytes);
  file.Delimiter(",");
  file.CommentFields(true);
  return file;
}

}  // namespace

std::string equipmentNumberText(float value) { return isValueNA(value) ? "N/A" : numberText(value); }

std::vector<std::string> buildEquipmentListLines(const EquipmentList& list, const std::string& revisedDate) {
  std::vector<std::string> lines;
  lines.reserve(list.size() + 4);
  lines.push_back("VORN Equipment List");
  lines.push_back("Revised: " + revisedDate);
  lines.push_back("\"Comment: Spec 721.560 values are Lmax @ 50 ft, dBa, slow.\"");
  lines.push_back("Equipment Description,ImpactDevice,Use Factor (%),\"Spec (dBA, slow)\",\"Act (dBA, slow)\"\"");
  for (const auto& e : list) {
    std::string line = quoteField(trimBlanks(e->description));
    line += e->impactDevice == 0 ? ",YES," : ",NO,";
    line += equipmentNumberText(e->usage);
    line += ',';
    line += equipmentNumberText(e->spec_lmax);
    line += ',';
    line += equipmentNumberText(e->actual_lmax);
    lines.push_back(std::move(line));
  }
  return lines;
}

SF_DataMessage writeEquipmentList(const EquipmentList& list, const std::string& path,
                                  const std::string& revisedDate) try {
  SF_DataASCII file = listFileAccess();
  file.Lines(buildEquipmentListLines(list, revisedDate));
  return file.writeLines(path) == SF_DATA_FILE_ERROR ? SF_DATA_FILE_ERROR : SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory: the file on disk is as it was
}

SF_DataMessage readEquipmentListFields(const std::string& path, SF_FieldTable& rows) try {
  SF_DataASCII file = listFileAccess();
  if (file.readFields(path) == SF_DATA_FILE_ERROR) return SF_DATA_FILE_ERROR;
  SF_FieldTable read = file.Fields();
  rows = std::move(read);
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory while reading: rows are as they were
}

bool loadEquipmentListFile(EquipmentList& target, const std::string& path, const std::string& shownName,
                           IMessageService& messages) {
  SF_FieldTable rows;
  if (readEquipmentListFields(path, rows) == SF_DATA_FILE_ERROR) {
    messages.show("Could not open: '" + shownName + "'!", "VORN", MessageIcon::Critical);
    return false;
  }
  EquipmentList read;
  if (!cEquipment::loadList(rows, read)) {
    messages.show("Error reading '" + shownName + "'!", "VORN", MessageIcon::Critical);
    return false;
  }
  target = std::move(read);
  return true;
}

bool loadDefaultEquipmentList(EquipmentList& target, const std::string& programDir, IMessageService& messages) {
  // The messages name the file with a leading backslash, whatever the
  // platform's separator, as users of the program know them.
  const std::string shownName = std::string("\\") + kDefaultEquipmentListName;
  return loadEquipmentListFile(target, programDir + kDefaultEquipmentListName, shownName, messages);
}

bool loadDefaultEquipmentList(cEquipment& manager, const std::string& programDir, IMessageService& messages) {
  return loadDefaultEquipmentList(manager.colList, programDir, messages);
}
