#pragma once
// Whether the study may be computed, and on request what is missing and
// where: each check stops at the first problem, and with showMessages it
// shows it and makes the offending cell active. cError keeps no state.

#include <cstdint>

class cEquipmentRecord;
class cStudy;
class INewEquipmentEntry;

class cError {
public:
  explicit cError(cStudy& study);

  // The current receptor, the equipment and the receptor's distances, then
  // the criteria (which may complain but do not block). Shows or hides the
  // "Check Input Data" button.
  bool checkInput(bool& showMessages);
  bool checkReceptor(std::int32_t receptorID, bool& showMessages);
  bool checkEquipment(bool& showMessages);
  bool checkLinks(std::int32_t receptorID, bool& showMessages);
  // A new entry of the equipment-list editor, on its new-entry row.
  bool checkNewEquipment(const cEquipmentRecord& record, bool& showMessages, INewEquipmentEntry& entry);

private:
  cStudy& study_;
  void showMessage(const char* text);
  void showNumbered(const char* text, std::int32_t id);
};
