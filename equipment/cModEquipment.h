#pragma once
// The equipment-list editor without its window: the working copy of the list
// (colHold) that the dialog shows and edits, the Add and Delete buttons'
// states, and what each of the dialog's buttons does to the working copy,
// to the program's list and to the study's equipmentChanged flag.
//
// The program's list changes only on accept(). Open, Save and Default touch
// the working copy and the flags only when they succeed, so a cancelled or
// failed file operation leaves everything as it was; cancel() puts the flag
// back as it stood when the editor opened.

#include <cstdint>
#include <string>
#include <string_view>

#include "study/cEquipment.h"

class cStudy;
class INewEquipmentEntry;
class SF_FilePrompt;

class cModEquipment {
public:
  // Messages go through the study's message service; programDir holds the
  // default list and ends with a path separator.
  cModEquipment(cStudy& study, std::string programDir);

  EquipmentList colHold;  // the working copy, in display order

  // The date written on a saved list, "MM/DD/YYYY"; today's date when empty.
  std::string revisedDate;

  // Opening the editor over the program's list: the working copy, both
  // buttons not armed, and the flag remembered for cancel().
  void begin(const EquipmentList& colList);

  // colHold <- copies of colList's records; colList <- copies of colHold's.
  void storeHoldList(const EquipmentList& colList);
  void restoreHoldList(EquipmentList& colList) const;

  // 1 armed, any other value (2) not armed.
  std::int32_t addButtonOn() const { return addButtonOn_; }
  void setAddButtonOn(std::int32_t state) { addButtonOn_ = state; }
  std::int32_t deleteButtonOn() const { return deleteButtonOn_; }
  void setDeleteButtonOn(std::int32_t state) { deleteButtonOn_ = state; }

  // The new-item row's check; arms or disarms Add (here and on the entry).
  // Called quietly on every edit of the row, with messages on Add.
  bool checkNewEquipment(const cEquipmentRecord& newEquipment, bool showMessages, INewEquipmentEntry& entry);

  // Add: checks the new item with messages, asks (a duplicate description
  // asks differently), and inserts a copy in case-insensitive order of
  // description. The copy's blank or non-numeric Lmax is N/A, the specified
  // Lmax is selected when the actual one is N/A, and it counts one unit.
  // True when the list changed; equipmentChanged is then set.
  bool add(const cEquipmentRecord& newEquipment, INewEquipmentEntry& entry);

  // Delete: removes items first..last (1-based; last is cut to the list's
  // end) after asking, when Delete is armed. True when the list changed;
  // equipmentChanged is then set.
  bool deleteItems(std::int32_t first, std::int32_t last);

  // The buttons Open, Save and Default, with their questions. True when the
  // working copy was replaced (Open, Default) or written (Save).
  bool open(SF_FilePrompt& prompt);
  bool save(SF_FilePrompt& prompt);
  bool loadDefault();

  // Ok: copies the working copy into the program's list when it was edited,
  // replaced or saved. True when colList was replaced; the caller then
  // refreshes the lists that offer its descriptions.
  bool accept(EquipmentList& colList);
  // Cancel: equipmentChanged as it was when the editor opened.
  void cancel();

  // Asks for a list file and reads it into the working copy / writes the
  // working copy to a file, with the program's messages.
  bool openFile(SF_FilePrompt& prompt);
  bool saveFile(SF_FilePrompt& prompt);

  // A list level as the dialog shows it ("N/A" for the marker) and back
  // (blank or non-numeric text, or a number beyond single precision, is N/A).
  static std::string textFromNumber(float value);
  static float lmaxFromText(std::string_view text);
  // Where a description goes: before the first record whose description
  // sorts after it, letter case ignored; the end when none does.
  static std::size_t insertPosition(const EquipmentList& list, const std::string& description);

private:
  bool askBeforeReplacing(const std::string& question, const std::string& consequence);
  bool isDefaultList(const std::string& path) const;

  cStudy& study_;
  std::string programDir_;
  std::int32_t addButtonOn_ = 2;
  std::int32_t deleteButtonOn_ = 2;
  bool listReplaced_ = false;     // Open, Save or Default succeeded
  bool changedAtOpening_ = false;
};
