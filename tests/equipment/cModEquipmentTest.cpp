// The equipment-list editor's rules without its window: ordered adds and the
// duplicate question, range deletes, the new item's N/A rule, and file
// operations that change nothing unless they succeed.
#include "equipment/cModEquipment.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SF_FilePrompt.h"
#include "SF_ScriptedDialog.h"
#include "equipment/mEquipmentListFile.h"
#include "base/mProgramDirectory.h"
#include "study/INewEquipmentEntry.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"
#include "../support/TempDir.h"

namespace {

using Answer = MessageAnswer;

std::shared_ptr<cEquipmentRecord> item(const std::string& d, float usage = 40, float spec = 80,
                                       float actual = valueNA) {
  auto e = std::make_shared<cEquipmentRecord>();
  e->description = d;
  e->impactDevice = 1;
  e->usage = usage;
  e->spec_lmax = spec;
  e->actual_lmax = actual;
  return e;
}

std::vector<std::string> names(const EquipmentList& list) {
  std::vector<std::string> out;
  for (const auto& e : list) out.push_back(e->description);
  return out;
}

struct RecordingEntry : INewEquipmentEntry {
  int addState = 0;
  std::vector<std::pair<int, int>> cells;
  void setAddButtonOn(int state) override { addState = state; }
  void setActiveCell(std::int32_t col, std::int32_t row) override { cells.emplace_back(col, row); }
};

// A program directory holding a default list of two items, and the program's
// list of three.
class ModEquipment : public ::testing::Test {
protected:
  void SetUp() override {
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    ASSERT_EQ(writeEquipmentList({item("Grader"), item("Paver")}, defaultPath(), "01/02/2024"), SF_DATA_OK);
    colList = {item("Air Compressor"), item("Backhoe"), item("Dozer")};
    editor.revisedDate = "03/04/2025";
    editor.begin(colList);
  }
  std::string programDir() const { return dir.path().string() + "/"; }
  std::string defaultPath() const { return programDir() + kDefaultEquipmentListName; }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages.messages()) out.push_back(m.text);
    return out;
  }

  TempDir dir;
  cScriptedMessageService messages;
  cStudy study;
  EquipmentList colList;
  cModEquipment editor{study, programDir()};
  RecordingEntry entry;
  SF_ScriptedDialog dialog;
  SF_FilePrompt prompt{dialog};
};

TEST_F(ModEquipment, AddKeepsTheListInCaseInsensitiveOrderAndAsksAboutDuplicates) {
  messages.script({Answer::Yes, Answer::Yes, Answer::No});
  ASSERT_TRUE(editor.add(*item("Crane"), entry));
  EXPECT_EQ(names(editor.colHold), (std::vector<std::string>{"Air Compressor", "Backhoe", "Crane", "Dozer"}));
  ASSERT_TRUE(editor.add(*item(" backhoe "), entry));
  EXPECT_EQ(names(editor.colHold),
            (std::vector<std::string>{"Air Compressor", "Backhoe", "backhoe", "Crane", "Dozer"}));
  EXPECT_FALSE(editor.add(*item("Zamboni"), entry));  // answered No
  EXPECT_EQ(editor.colHold.size(), 5u);
  ASSERT_EQ(messages.messages().size(), 3u);
  EXPECT_EQ(messages.messages()[0],
            (cScriptedMessageService::Message{"Add 'Crane' to the Equipment List?", "Add new item...",
                                              MessageIcon::Information, MessageButtons::YesNo, Answer::Yes}));
  EXPECT_EQ(messages.messages()[1].text, "Add a duplicate 'backhoe' to the Equipment List?");
  EXPECT_EQ(messages.messages()[1].title, "Add duplicate...");
  EXPECT_TRUE(study.equipmentChanged);
  EXPECT_TRUE(colList.size() == 3u) << "the program's list changes only on Ok";
}

TEST_F(ModEquipment, AddedItemSelectsItsSpecifiedLmaxOnlyWhenTheActualOneIsNA) {
  ASSERT_TRUE(editor.add(*item("Crane", 16, 85, cModEquipment::lmaxFromText("")), entry));
  EXPECT_TRUE(editor.colHold[2]->spec_select);
  EXPECT_EQ(editor.colHold[2]->numUnits, 1);
  ASSERT_TRUE(editor.add(*item("Drill", 20, 80, cModEquipment::lmaxFromText(" 77.5 ")), entry));
  EXPECT_FALSE(editor.colHold[3]->spec_select);
  for (const char* text : {"", "n/a", "abc", "1e39"}) EXPECT_TRUE(isValueNA(cModEquipment::lmaxFromText(text))) << text;
}

TEST_F(ModEquipment, AddRefusesAnIncompleteItemWithItsMessage) {
  struct Case {
    std::shared_ptr<cEquipmentRecord> record;
    const char* message;
    int col;
  };
  const std::vector<Case> cases{{item("  "), "Please enter a Description.", 1},
                                {item("Crane", 0), "Please enter a Usage greater than zero.", 3},
                                {item("Crane", 10, valueNA, 0), "One of the Lmax values must be greater than zero.", 4}};
  for (const Case& c : cases) {
    messages.clear();
    entry.cells.clear();
    EXPECT_FALSE(editor.add(*c.record, entry));
    EXPECT_EQ(texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(entry.cells, (std::vector<std::pair<int, int>>{{c.col, 1}}));
    EXPECT_EQ(editor.addButtonOn(), 2);
    EXPECT_EQ(entry.addState, 2);
  }
  EXPECT_EQ(editor.colHold.size(), 3u);
  EXPECT_FALSE(study.equipmentChanged);
  // While the user types the check is quiet.
  messages.clear();
  EXPECT_FALSE(editor.checkNewEquipment(*item(""), false, entry));
  EXPECT_TRUE(editor.checkNewEquipment(*item("Crane"), false, entry));
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(editor.addButtonOn(), 1);
}

TEST_F(ModEquipment, DeleteRemovesTheSelectedRangeCutAtTheListsEnd) {
  editor.colHold.push_back(item("Paver"));
  EXPECT_FALSE(editor.deleteItems(3, 5)) << "Delete is not armed";
  editor.setDeleteButtonOn(1);
  messages.script({Answer::No});
  EXPECT_FALSE(editor.deleteItems(3, 5));
  EXPECT_EQ(editor.colHold.size(), 4u);
  editor.setDeleteButtonOn(1);
  EXPECT_TRUE(editor.deleteItems(3, 5));
  EXPECT_EQ(names(editor.colHold), (std::vector<std::string>{"Air Compressor", "Backhoe"}));
  editor.setDeleteButtonOn(1);
  EXPECT_TRUE(editor.deleteItems(1, 1));
  editor.setDeleteButtonOn(1);
  EXPECT_FALSE(editor.deleteItems(2, 2)) << "past the last item";
  EXPECT_EQ(texts(), (std::vector<std::string>{"Remove item #3 thru item #4' from the Equipment List?",
                                               "Remove item #3 thru item #4' from the Equipment List?",
                                               "Remove item #1 from the Equipment List?"}));
  EXPECT_TRUE(study.equipmentChanged);
}

TEST_F(ModEquipment, FailedOrCancelledOpenAndDefaultKeepTheListAndItsFlag) {
  study.equipmentChanged = true;
  const std::string broken = dir.file("broken.equ");
  TempDir::write(broken, "VORN Equipment List\r\nx\r\nx\r\nx\r\nCrane,NO,10,80,N/A\r\nShort,NO\r\n");
  dialog.cancel();
  dialog.chooseFile(dir.file("missing.equ"));
  dialog.chooseFile(broken);
  messages.script({Answer::Yes, Answer::Yes, Answer::Yes, Answer::No});
  EXPECT_FALSE(editor.open(prompt));
  EXPECT_FALSE(editor.open(prompt));
  EXPECT_FALSE(editor.open(prompt));
  EXPECT_FALSE(editor.loadDefault());  // answered No
  std::filesystem::remove(defaultPath());
  messages.script({Answer::Yes});
  EXPECT_FALSE(editor.loadDefault());
  EXPECT_EQ(names(editor.colHold), (std::vector<std::string>{"Air Compressor", "Backhoe", "Dozer"}));
  EXPECT_TRUE(study.equipmentChanged);
  const std::string question =
      "Do you want to open an equipment file?\nIf you open a new file, without first saving the current list, any "
      "equipment changes will be lost.";
  EXPECT_EQ(texts(), (std::vector<std::string>{
                         question, question, "Could not open: 'missing.equ'!", question,
                         "Error reading 'broken.equ'!",
                         "Do you want to load the default file?\nIf you load the default equipment, without first "
                         "saving the current list, any equipment changes will be lost.",
                         "Do you want to load the default file?\nIf you load the default equipment, without first "
                         "saving the current list, any equipment changes will be lost.",
                         "Could not open: '\\VORN Equipment List.equ'!"}));
}

TEST_F(ModEquipment, OpenedListReachesTheProgramOnOkEvenWithoutFurtherEdits) {
  const std::string other = dir.file("other.equ");
  ASSERT_EQ(writeEquipmentList({item("Pile Driver")}, other, "01/01/2024"), SF_DATA_OK);
  dialog.chooseFile(other);
  ASSERT_TRUE(editor.open(prompt));  // nothing changed: no question
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_FALSE(study.equipmentChanged);
  ASSERT_TRUE(editor.accept(colList));
  EXPECT_EQ(names(colList), std::vector<std::string>{"Pile Driver"});
  colList[0]->description = "changed";
  EXPECT_EQ(editor.colHold[0]->description, "Pile Driver") << "the program's list holds copies";
}

TEST_F(ModEquipment, SaveWritesOnlyAChangedListAndAsksBeforeOverwritingTheDefault) {
  EXPECT_FALSE(editor.save(prompt));
  EXPECT_TRUE(dialog.showings().empty()) << "nothing changed: Save does nothing";

  study.equipmentChanged = true;
  dialog.cancel();
  EXPECT_FALSE(editor.save(prompt));
  EXPECT_TRUE(study.equipmentChanged) << "a cancelled Save keeps the flag";

  const std::string before = TempDir::read(defaultPath());
  // The default list by its own path and by another spelling of it: asked, No.
  dialog.chooseFile(defaultPath());
  dialog.chooseFile(dir.path().string() + "/./" + kDefaultEquipmentListName);
  EXPECT_FALSE(editor.save(prompt));
  EXPECT_FALSE(editor.save(prompt));
  EXPECT_EQ(TempDir::read(defaultPath()), before);
  EXPECT_TRUE(study.equipmentChanged);
  ASSERT_EQ(messages.messages().size(), 2u);
  EXPECT_EQ(messages.messages()[0],
            (cScriptedMessageService::Message{"Do you want to overwrite the default equipment list?", "VORN",
                                              MessageIcon::Question, MessageButtons::YesNo, Answer::No}));

  messages.clear();
  // Another spelling in letter case is another file here; on Windows it is
  // the default list itself, and so asked about like the spellings above.
#ifdef _WIN32
  const std::string lowerCase = dir.file("vorn equipment list 2.equ");
#else
  const std::string lowerCase = dir.file("vorn equipment list.equ");
#endif
  dialog.chooseFile(lowerCase);
  ASSERT_TRUE(editor.save(prompt));
  EXPECT_EQ(texts(), std::vector<std::string>{lowerCase + " saved."});
  EXPECT_EQ(messages.messages()[0].title, "File saved...");
  EXPECT_EQ(TempDir::read(lowerCase), "VORN Equipment List\r\nRevised: 03/04/2025\r\n"
                                      "\"Comment: Spec 721.560 values are Lmax @ 50 ft, dBa, slow.\"\r\n"
                                      "Equipment Description,ImpactDevice,Use Factor (%),\"Spec (dBA, slow)\","
                                      "\"Act (dBA, slow)\"\"\r\n"
                                      "Air Compressor,NO,40,80,N/A\r\nBackhoe,NO,40,80,N/A\r\nDozer,NO,40,80,N/A\r\n");
  EXPECT_FALSE(study.equipmentChanged);

  study.equipmentChanged = true;
  messages.clear();
  dialog.chooseFile(dir.file("no-such-folder/list.equ"));
  EXPECT_FALSE(editor.save(prompt));
  EXPECT_EQ(texts(), std::vector<std::string>{"Could not save file: 'list.equ'!"});
  EXPECT_TRUE(study.equipmentChanged);
}

TEST_F(ModEquipment, CancelPutsTheFlagBackAsItWasWhenTheEditorOpened) {
  for (const bool before : {false, true}) {
    study.equipmentChanged = before;
    editor.begin(colList);
    messages.script({Answer::Yes});
    ASSERT_TRUE(editor.add(*item("Crane"), entry));
    editor.cancel();
    EXPECT_EQ(study.equipmentChanged, before);
    EXPECT_EQ(colList.size(), 3u);
  }
  study.equipmentChanged = false;
  editor.begin(colList);
  EXPECT_FALSE(editor.accept(colList)) << "nothing to copy back";
}

}  // namespace
