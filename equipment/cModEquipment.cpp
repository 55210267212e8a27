#include "equipment/cModEquipment.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

#include "SF_FilePrompt.h"
#include "study/mParseField.h"
#include "equipment/mEquipmentListFile.h"
#include "base/mProgramDirectory.h"
#include "report/mDateText.h"
#include "study/IMessageService.h"
#include "study/INewEquipmentEntry.h"
#include "study/cError.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

namespace {

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Keeps the editor's own record of the Add button in step with the window's.
class AddButtonMirror : public INewEquipmentEntry {
public:
  AddButtonMirror(cModEquipment& editor, INewEquipmentEntry& entry) : editor_(editor), entry_(entry) {}
  void setAddButtonOn(int state) override {
    editor_.setAddButtonOn(state);
    entry_.setAddButtonOn(state);
  }
  void setActiveCell(std::int32_t col, std::int32_t row) override { entry_.setActiveCell(col, row); }

private:
  cModEquipment& editor_;
  INewEquipmentEntry& entry_;
};

void preparePrompt(SF_FilePrompt& prompt, SF_FileMode mode) {
  prompt.OpenMode(mode);
  prompt.FilePrompt("Equipment List File");
  prompt.FileSuffix("equ");
}

}  // namespace

cModEquipment::cModEquipment(cStudy& study, std::string programDir)
    : study_(study), programDir_(std::move(programDir)) {}

void cModEquipment::begin(const EquipmentList& colList) {
  storeHoldList(colList);
  addButtonOn_ = 2;
  deleteButtonOn_ = 2;
  listReplaced_ = false;
  changedAtOpening_ = study_.equipmentChanged;
}

void cModEquipment::storeHoldList(const EquipmentList& colList) {
  colHold.clear();
  colHold.reserve(colList.size());
  for (const auto& e : colList) colHold.push_back(e->copy());
}

void cModEquipment::restoreHoldList(EquipmentList& colList) const {
  colList.clear();
  colList.reserve(colHold.size());
  for (const auto& e : colHold) colList.push_back(e->copy());
}

bool cModEquipment::checkNewEquipment(const cEquipmentRecord& newEquipment, bool showMessages,
                                      INewEquipmentEntry& entry) {
  AddButtonMirror mirror(*this, entry);
  return cError(study_).checkNewEquipment(newEquipment, showMessages, mirror);
}

std::size_t cModEquipment::insertPosition(const EquipmentList& list, const std::string& description) {
  const std::string key = upper(description);
  const auto after = std::find_if(list.begin(), list.end(), [&](const auto& e) { return upper(e->description) > key; });
  return static_cast<std::size_t>(after - list.begin());
}

bool cModEquipment::add(const cEquipmentRecord& newEquipment, INewEquipmentEntry& entry) {
  deleteButtonOn_ = 2;
  if (!checkNewEquipment(newEquipment, true, entry)) return false;
  auto item = std::make_shared<cEquipmentRecord>(newEquipment);
  item->description = trimBlanks(item->description);
  item->numUnits = 1;
  item->spec_select = isValueNA(item->actual_lmax);
  const std::string key = upper(item->description);
  const bool duplicate =
      std::any_of(colHold.begin(), colHold.end(), [&](const auto& e) { return upper(e->description) == key; });
  const MessageAnswer answer =
      duplicate ? study_.messages().show("Add a duplicate '" + item->description + "' to the Equipment List?",
                                         "Add duplicate...", MessageIcon::Information, MessageButtons::YesNo,
                                         MessageAnswer::Yes)
                : study_.messages().show("Add '" + item->description + "' to the Equipment List?", "Add new item...",
                                         MessageIcon::Information, MessageButtons::YesNo, MessageAnswer::Yes);
  if (answer == MessageAnswer::No) return false;
  colHold.insert(colHold.begin() + static_cast<std::ptrdiff_t>(insertPosition(colHold, item->description)),
                 std::move(item));
  study_.equipmentChanged = true;
  return true;
}

bool cModEquipment::deleteItems(std::int32_t first, std::int32_t last) {
  const auto count = static_cast<std::int32_t>(colHold.size());
  if (deleteButtonOn_ != 1 || first < 1 || first > count) return false;
  last = std::clamp(last, first, count);
  const std::string question =
      first == last ? "Remove item #" + std::to_string(first) + " from the Equipment List?"
                    : "Remove item #" + std::to_string(first) + " thru item #" + std::to_string(last) +
                          "' from the Equipment List?";
  if (study_.messages().show(question, "Remove item...", MessageIcon::Information, MessageButtons::YesNo,
                             MessageAnswer::Yes) == MessageAnswer::No)
    return false;
  colHold.erase(colHold.begin() + (first - 1), colHold.begin() + last);
  deleteButtonOn_ = 2;
  study_.equipmentChanged = true;
  return true;
}

bool cModEquipment::askBeforeReplacing(const std::string& question, const std::string& consequence) {
  if (!study_.equipmentChanged) return true;
  return study_.messages().show(question + "\n" + consequence, "VORN", MessageIcon::Information,
                                MessageButtons::YesNo, MessageAnswer::Yes) == MessageAnswer::Yes;
}

bool cModEquipment::open(SF_FilePrompt& prompt) {
  if (!askBeforeReplacing("Do you want to open an equipment file?",
                          "If you open a new file, without first saving the current list, any equipment changes "
                          "will be lost."))
    return false;
  if (!openFile(prompt)) return false;
  study_.equipmentChanged = false;
  listReplaced_ = true;
  return true;
}

bool cModEquipment::save(SF_FilePrompt& prompt) {
  if (!study_.equipmentChanged) return false;
  if (!saveFile(prompt)) return false;
  study_.equipmentChanged = false;
  listReplaced_ = true;
  return true;
}

bool cModEquipment::loadDefault() {
  if (!askBeforeReplacing("Do you want to load the default file?",
                          "If you load the default equipment, without first saving the current list, any equipment "
                          "changes will be lost."))
    return false;
  if (!loadDefaultEquipmentList(colHold, programDir_, study_.messages())) return false;
  study_.equipmentChanged = false;
  listReplaced_ = true;
  return true;
}

bool cModEquipment::accept(EquipmentList& colList) {
  if (!study_.equipmentChanged && !listReplaced_) return false;
  restoreHoldList(colList);
  listReplaced_ = false;
  return true;
}

void cModEquipment::cancel() { study_.equipmentChanged = changedAtOpening_; }

bool cModEquipment::openFile(SF_FilePrompt& prompt) {
  preparePrompt(prompt, SF_READ);
  if (prompt.getFile() != SF_FILE_OK) return false;
  return loadEquipmentListFile(colHold, prompt.Directory() + prompt.FileName(1), prompt.FileName(1),
                               study_.messages());
}

bool cModEquipment::isDefaultList(const std::string& path) const {
  const std::string defaultPath = programDir_ + kDefaultEquipmentListName;
  if (path == defaultPath) return true;
  // The same file reached by another spelling of its path (a link, "./",
  // a doubled separator) is still the default list.
  std::error_code ec;
  return std::filesystem::equivalent(path, defaultPath, ec) && !ec;
}

bool cModEquipment::saveFile(SF_FilePrompt& prompt) {
  preparePrompt(prompt, SF_WRITE);
  if (prompt.getFile() != SF_FILE_OK) return false;
  const std::string path = prompt.Directory() + prompt.FileName(1);
  if (isDefaultList(path) &&
      study_.messages().show("Do you want to overwrite the default equipment list?", "VORN", MessageIcon::Question,
                             MessageButtons::YesNo, MessageAnswer::No) != MessageAnswer::Yes)
    return false;
  const std::string date = revisedDate.empty() ? todayDateText() : revisedDate;
  if (writeEquipmentList(colHold, path, date) == SF_DATA_FILE_ERROR) {
    study_.messages().show("Could not save file: '" + prompt.FileName(1) + "'!", "VORN", MessageIcon::Critical);
    return false;
  }
  study_.messages().show(path + " saved.", "File saved...", MessageIcon::Information);
  return true;
}

std::string cModEquipment::textFromNumber(float value) { return equipmentNumberText(value); }

float cModEquipment::lmaxFromText(std::string_view text) {
  const std::string trimmed = trimBlanks(text);
  const auto value = parseFloatField(trimmed);
  return value ? *value : valueNA;
}
