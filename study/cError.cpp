#include "study/cError.h"

#include <string>

#include "study/IMessageService.h"
#include "study/INewEquipmentEntry.h"
#include "study/ISheetView.h"
#include "study/cEquipmentRecord.h"
#include "study/cStudy.h"

cError::cError(cStudy& study) : study_(study) {}

void cError::showMessage(const char* text) { study_.messages().show(text, "VORN", MessageIcon::Critical); }

void cError::showNumbered(const char* text, std::int32_t id) {
  study_.messages().show(text + std::to_string(id) + ".", "VORN", MessageIcon::Critical);
}

bool cError::checkInput(bool& showMessages) {
  study_.caseProcessed = false;
  std::shared_ptr<cReceptorRecord> receptor;
  const std::int32_t id = study_.getReceptor(receptor, study_.receptorID()) ? receptor->rowID : 0;
  if (checkReceptor(id, showMessages) && checkEquipment(showMessages) && checkLinks(id, showMessages)) {
    study_.NoiseLimits.Criteria.check(showMessages);
    study_.setProcessButtonOn(1);
    return true;
  }
  study_.setProcessButtonOn(2);
  return false;
}

bool cError::checkReceptor(std::int32_t receptorID, bool& showMessages) {
  std::shared_ptr<cReceptorRecord> r;
  const bool found = receptorID != 0 && study_.getReceptor(r, receptorID);
  const char* problem = nullptr;
  std::int32_t col = 0;
  // An ID that no receptor has is treated like none selected: there are no
  // fields to check, and reading them from a missing record would fault.
  if (!found) {
    if (showMessages) {
      study_.receptorSheet().setFocus();
      study_.receptorSheet().setActiveCell(0, 0);
      showMessage("No Receptor selected");
    }
    return false;
  }
  if (r->description.empty()) {
    problem = "Please input a Description for Receptor #";
    col = 1;
  } else if (r->landUseTxt().empty()) {
    problem = "Please select a Land Use for Receptor #";
    col = 2;
  } else if (r->dayBase == 0.0f) {
    problem = "Please input a Daytime Baseline for Receptor #";
    col = 3;
  } else if (r->eveBase == 0.0f) {
    problem = "Please input an Evening Baseline for Receptor #";
    col = 4;
  } else if (r->niteBase == 0.0f) {
    problem = "Please input a Nighttime Baseline for Receptor #";
    col = 5;
  }
  if (!problem) return true;
  if (showMessages) {
    study_.receptorSheet().setFocus();
    study_.receptorSheet().setActiveCell(col, r->rowID);
    showNumbered(problem, r->rowID);
  }
  return false;
}

bool cError::checkEquipment(bool& showMessages) {
  auto fail = [&](const std::string& text, std::int32_t col, std::int32_t row) {
    if (showMessages) {
      study_.equipmentSheet().setFocus();
      study_.messages().show(text, "VORN", MessageIcon::Critical);
      study_.equipmentSheet().setActiveCell(col, row);
    }
    return false;
  };
  if (study_.colEquipment.empty()) return fail("Please enter at least one piece of equipment.", 2, 1);
  bool anyActive = false;
  for (const auto& e : study_.colEquipment) {
    const std::string id = std::to_string(e->rowID) + ".";
    if (e->description.empty()) return fail("Please select a Description for Equipment #" + id, 2, e->rowID);
    if (!(e->usage > 0.0f)) return fail("Please enter a Usage greater than zero for Equipment #" + id, 4, e->rowID);
    anyActive = anyActive || e->active;
  }
  if (!anyActive) {
    const std::int32_t lastRow = study_.colEquipment.back()->rowID;
    return fail("There must be at least one active piece of equipment.", 0, lastRow == 0 ? 1 : lastRow);
  }
  return true;
}

bool cError::checkLinks(std::int32_t receptorID, bool& showMessages) {
  std::shared_ptr<cReceptorRecord> r;
  if (!study_.getReceptor(r, receptorID)) return true;
  for (const auto& link : r->colLinks) {
    std::shared_ptr<cEquipmentRecord> e;
    // A link to equipment that does not exist is never computed or shown.
    if (!study_.getEquipment(e, link->equipID)) continue;
    if (link->distance > 0.0f) continue;
    if (showMessages) {
      study_.equipmentSheet().setFocus();
      showNumbered("Please set the distance greater than zero for Equipment #", e->rowID);
      study_.equipmentSheet().setActiveCell(9, e->rowID);
    }
    return false;
  }
  return true;
}

bool cError::checkNewEquipment(const cEquipmentRecord& record, bool& showMessages, INewEquipmentEntry& entry) {
  const char* problem = nullptr;
  std::int32_t col = 0;
  const auto first = record.description.find_first_not_of(' ');
  if (first == std::string::npos) {
    problem = "Please enter a Description.";
    col = 1;
  } else if (!(record.usage > 0.0f)) {
    problem = "Please enter a Usage greater than zero.";
    col = 3;
  } else if (!(record.spec_lmax > 0.0f) && !(record.actual_lmax > 0.0f)) {
    problem = "One of the Lmax values must be greater than zero.";
    col = 4;
  }
  if (!problem) {
    entry.setAddButtonOn(1);
    return true;
  }
  entry.setAddButtonOn(2);
  if (showMessages) {
    entry.setActiveCell(col, 1);
    showMessage(problem);
  }
  return false;
}
