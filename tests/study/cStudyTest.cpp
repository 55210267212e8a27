#include <gtest/gtest.h>

#include <bit>

#include "study/cStudy.h"
#include "study/mMarkers.h"
#include "tests/study/RecordingViews.h"
#include "tests/study/StudyFixtures.h"

using Calls = std::vector<std::string>;

TEST(Study, LookupsAreByRowID) {
  cStudy s;
  addValidReceptor(s, "A");
  addValidReceptor(s, "B");
  addValidEquipment(s, "Dozer");
  std::shared_ptr<cReceptorRecord> r;
  ASSERT_TRUE(s.getReceptor(r, 2));
  EXPECT_EQ(r->description, "B");
  EXPECT_FALSE(s.getReceptor(r, 3));
  EXPECT_EQ(r->description, "B");  // left as it was
  std::shared_ptr<cEquipmentRecord> e;
  EXPECT_TRUE(s.getEquipment(e, 1));
  EXPECT_FALSE(s.getEquipment(e, 0));
}

TEST(Study, GetLinkNeedsACurrentReceptor) {
  cStudy s;
  addValidReceptor(s, "A");
  addValidEquipment(s, "Dozer");
  s.updateLinks();
  std::shared_ptr<cLinkRecord> link;
  EXPECT_FALSE(s.getLink(link, 1, 1));
  s.setReceptorID(1);
  EXPECT_TRUE(s.getLink(link, 1, 1));
  EXPECT_FALSE(s.getLink(link, 1, 2));
  EXPECT_FALSE(s.getLink(link, 2, 1));
}

TEST(Study, DeletingReceptorsRenumbersAndKeepsLinks) {
  cStudy s;
  for (const char* d : {"R1", "R2", "R3", "R4", "R5"}) addValidReceptor(s, d);
  addValidEquipment(s, "E1");
  addValidEquipment(s, "E2");
  s.updateLinks();
  s.deleteReceptor(2, 3);
  ASSERT_EQ(s.colReceptors.size(), 3u);
  const char* expected[] = {"R1", "R4", "R5"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(s.colReceptors[i]->rowID, i + 1);
    EXPECT_EQ(s.colReceptors[i]->description, expected[i]);
    ASSERT_EQ(s.colReceptors[i]->colLinks.size(), 2u);
    EXPECT_EQ(s.colReceptors[i]->colLinks[0]->equipID, 1);
    EXPECT_EQ(s.colReceptors[i]->colLinks[1]->equipID, 2);
  }
}

TEST(Study, DeletingEquipmentAndLinksKeepsThemNumberedAlike) {
  cStudy s;
  addValidReceptor(s, "A");
  addValidReceptor(s, "B");
  for (const char* d : {"E1", "E2", "E3", "E4"}) addValidEquipment(s, d);
  s.updateLinks();
  for (auto& r : s.colReceptors)
    for (auto& l : r->colLinks) l->distance = static_cast<float>(l->equipID * 100);
  s.deleteEquipment(2, 2);
  s.deleteLinks(2, 2);
  ASSERT_EQ(s.colEquipment.size(), 3u);
  EXPECT_EQ(s.colEquipment[1]->description, "E3");
  EXPECT_EQ(s.colEquipment[1]->rowID, 2);
  for (auto& r : s.colReceptors) {
    ASSERT_EQ(r->colLinks.size(), 3u);
    const float distances[] = {100, 300, 400};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(r->colLinks[i]->equipID, i + 1);
      EXPECT_EQ(r->colLinks[i]->distance, distances[i]);
    }
  }
}

TEST(Study, UpdateLinksAddsOnlyMissingLinks) {
  cStudy s;
  addValidReceptor(s, "A");
  addValidReceptor(s, "B");
  for (int i = 0; i < 4; ++i) addValidEquipment(s, "E");
  linkAll(s, 75);
  addValidEquipment(s, "E5");
  s.updateLinks();
  for (auto& r : s.colReceptors) {
    ASSERT_EQ(r->colLinks.size(), 5u);
    EXPECT_EQ(r->colLinks[3]->distance, 75.0f);
    EXPECT_EQ(r->colLinks[4]->equipID, 5);
    EXPECT_EQ(r->colLinks[4]->distance, 0.0f);
    EXPECT_EQ(r->colLinks[4]->sheilding, 0.0f);
  }
  s.updateLinks();
  EXPECT_EQ(s.colReceptors[0]->colLinks.size(), 5u);
}

TEST(Study, UnitConversionRoundsToFloatAtEachStep) {
  cStudy s;
  addValidReceptor(s, "A");
  addValidEquipment(s, "E");
  addValidEquipment(s, "E");
  s.updateLinks();
  auto& links = s.colReceptors[0]->colLinks;
  links[0]->distance = 100;
  links[1]->distance = 1.9f;
  s.recomputeDistance(1);
  // 100 x 0.30480061 and 1.9f x 0.30480061, each rounded to a float.
  EXPECT_EQ(std::bit_cast<std::uint32_t>(links[0]->distance), 0x41F3D72Au);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(links[1]->distance), 0x3F144149u);
  s.recomputeDistance(0);
  EXPECT_EQ(links[0]->distance, 100.0f);
  // 0.57912117f x 3.280833333 rounds to the float after 1.9f.
  EXPECT_EQ(std::bit_cast<std::uint32_t>(links[1]->distance), 0x3FF33334u);
}

TEST(Study, ClearEmptiesTheCaseButKeepsSettingsAndFlags) {
  cStudy s;
  addValidReceptor(s, "A");
  addValidEquipment(s, "E");
  s.updateLinks();
  s.caseDescription = "Bridge job";
  s.units = 1;
  s.adjustmentFactor = 4.5f;
  s.NoiseMetric = 1;
  s.caseProcessed = true;
  s.totals.setLmax(3);
  s.setReceptorID(1);
  s.clear();
  EXPECT_TRUE(s.colReceptors.empty());
  EXPECT_TRUE(s.colEquipment.empty());
  EXPECT_EQ(s.caseDescription, "");
  EXPECT_EQ(s.totals.sLmax, "");
  EXPECT_EQ(s.units, 1);
  EXPECT_EQ(s.adjustmentFactor, 4.5f);
  EXPECT_EQ(s.NoiseMetric, 1);
  EXPECT_TRUE(s.caseProcessed);
  EXPECT_EQ(s.receptorID(), 1);
}

TEST(Study, SelectingAReceptorShowsItsCaptionsEquipmentAndLinks) {
  RecordedStudy t;
  addValidReceptor(t.study, "Home");
  addValidEquipment(t.study, "Dozer");
  addValidEquipment(t.study, "Saw");
  linkAll(t.study, 50);
  t.study.colReceptors[0]->colLinks[1]->sheilding = 2.5f;
  t.recep.texts[{1, 1}] = "Home on sheet";
  t.recep.current = cCell{0, 3, 2};
  t.study.setReceptorID(1);
  EXPECT_EQ(t.study.receptorID(), 1);
  EXPECT_EQ(t.log.calls, (Calls{
                             "main.label(0,Receptor #1: Home on sheet,FF0000)",
                             "main.label(1,Receptor #1: Home on sheet,FF0000)",
                             "main.label(2,Receptor #1,FF0000)",
                             "equip.display()",
                             "equip.number(9,1,50)",
                             "equip.number(10,1,0)",
                             "equip.number(9,2,50)",
                             "equip.number(10,2,2.5)",
                             "recep.currentCell(3,2)",
                         }));
}

TEST(Study, SelectingAMissingReceptorShowsNoneSelected) {
  RecordedStudy t;
  addValidReceptor(t.study, "Home");
  t.study.setReceptorID(1);
  t.log.calls.clear();
  t.study.setReceptorID(7);
  EXPECT_EQ(t.study.receptorID(), 0);
  EXPECT_EQ(t.log.calls, (Calls{
                             "main.label(0,No Receptor Selected,0000FF)",
                             "main.label(1,No Receptor Selected,0000FF)",
                             "main.label(2,No Receptor Selected,0000FF)",
                             "results.clear()",
                             "equip.display()",
                             "recep.currentCell(0,0)",
                         }));
}

TEST(Study, OutlineMovesFromRowToRow) {
  RecordedStudy t;
  t.study.outlineReceptor(1);
  t.study.outlineReceptor(4);
  EXPECT_EQ(t.log.calls, (Calls{
                             "recep.border(1,1,5,on,800000)",
                             "recep.border(1,1,5,off,800000)",
                             "recep.border(4,1,5,on,800000)",
                         }));
}

TEST(Study, FlagsDriveTheButtonAndSaveMenu) {
  RecordedStudy t;
  t.study.setProcessButtonOn(2);
  t.study.setProcessButtonOn(1);
  t.study.setProcessButtonOn(0);
  t.study.setCaseChanged(true);  // no case file open
  bool open = true;
  t.study.caseFileOpen = [&] { return open; };
  t.study.setCaseChanged(true);
  t.study.setCaseChanged(false);
  EXPECT_EQ(t.study.processButtonOn(), 0);
  EXPECT_FALSE(t.study.caseChanged());
  EXPECT_EQ(t.log.calls, (Calls{
                             "main.processButton(visible)",
                             "main.processButton(hidden)",
                             "main.processButton(visible)",
                             "main.save(disabled)",
                             "main.save(enabled)",
                             "main.save(disabled)",
                         }));
}

TEST(Study, UndoRestoresTheSameSnapshotTwice) {
  RecordedStudy t;
  cStudy& s = t.study;
  setAllCriteriaValue(s, 70);
  s.NoiseMetric = 2;
  addValidReceptor(s, "A");
  addValidReceptor(s, "B");
  addValidEquipment(s, "Dozer");
  linkAll(s, 50);
  s.setReceptorID(2);
  s.holdState(3);

  s.colEquipment[0]->usage = 10;
  s.colReceptors[1]->colLinks[0]->distance = 999;
  s.deleteReceptor(1, 1);
  s.setReceptorID(1);
  t.log.calls.clear();

  s.restoreState();
  ASSERT_EQ(s.colReceptors.size(), 2u);
  EXPECT_EQ(s.receptorID(), 2);
  EXPECT_EQ(s.colEquipment[0]->usage, 40.0f);
  EXPECT_EQ(s.colReceptors[1]->colLinks[0]->distance, 50.0f);
  EXPECT_TRUE(s.caseProcessed);  // recomputed
  EXPECT_EQ(t.log.calls.front(), "equip.display()");
  EXPECT_EQ(t.log.calls[1], "recep.clear()");
  EXPECT_EQ(t.log.calls[2], "recep.display()");
  EXPECT_EQ(t.log.calls.back(), "main.undo(4)");

  // Changes after a restore do not reach the snapshot.
  s.colEquipment[0]->usage = 20;
  s.colReceptors[1]->colLinks[0]->distance = 7;
  s.restoreState();
  EXPECT_EQ(s.colEquipment[0]->usage, 40.0f);
  EXPECT_EQ(s.colReceptors[1]->colLinks[0]->distance, 50.0f);
  EXPECT_EQ(s.colReceptors.size(), 2u);
}

TEST(Study, HoldStateTellsTheUndoKindFirst) {
  RecordedStudy t;
  t.study.holdState(2);
  EXPECT_EQ(t.log.calls, (Calls{"main.undo(2)"}));
}

TEST(Study, RestoreWithoutSnapshotLeavesTheCase) {
  cStudy s;
  addValidReceptor(s, "A");
  s.restoreState();
  EXPECT_EQ(s.colReceptors.size(), 1u);
}

TEST(Study, CopyOfTheLockedEquipmentColumnsIsRefused) {
  RecordedStudy t;
  t.study.spreadFocus = 2;
  t.equip.block = SheetBlock{4, 1, 8, 3};
  t.study.copy();
  EXPECT_EQ(t.log.calls,
            (Calls{"msg(Can't copy 'Impact Device','Usage','Lmax Spec' and 'Lmax Actual'|VORN|information)"}));
  EXPECT_EQ(t.study.copyFrom, 0);
}

TEST(Study, CopyFromColumnThreeOrWholeRowsIsAllowed) {
  RecordedStudy t;
  t.study.spreadFocus = 2;
  t.equip.block = SheetBlock{3, 1, 8, 3};
  t.main.editState = 6;
  t.study.copy();
  EXPECT_EQ(t.log.calls, (Calls{"equip.copySelection()", "main.editMenu(2)"}));
  EXPECT_EQ(t.study.copyFrom, 2);
  EXPECT_EQ(t.study.copyBlockCol, 3);
  EXPECT_FALSE(t.study.isBlock);

  t.study.spreadFocus = 1;
  t.recep.block = SheetBlock{-1, 2, -1, 4};
  t.main.editState = 5;
  t.study.copy();
  EXPECT_EQ(t.study.copyFrom, 1);
  EXPECT_EQ(t.study.copyBlockCol, -1);
  EXPECT_TRUE(t.study.isBlock);
}

TEST(Study, PasteBetweenDifferentSheetsOnlyMarksTheCaseChanged) {
  RecordedStudy t;
  t.study.copyFrom = 2;
  t.study.spreadFocus = 1;
  t.study.paste();
  EXPECT_EQ(t.log.calls, (Calls{"main.save(disabled)"}));
  EXPECT_TRUE(t.study.caseChanged());
}

TEST(Study, PasteOnTheEquipmentSheetUnlocksAroundThePaste) {
  RecordedStudy t;
  t.study.copyFrom = 2;
  t.study.spreadFocus = 2;
  t.study.copyBlockCol = 2;
  t.equip.block = SheetBlock{2, 5, 2, 5};
  t.study.paste();
  EXPECT_EQ(t.log.calls, (Calls{"equip.cellTypeMatch(2,2)", "main.undo(1)", "main.editMenu(1)", "equip.lock(false)",
                                "equip.pasteClipboard()", "equip.lock(true)", "main.save(disabled)"}));
  EXPECT_EQ(t.study.editOperation, 1);
}

TEST(Study, PasteOfWholeRowsNeedsWholeRowsSelected) {
  RecordedStudy t;
  t.study.copyFrom = 1;
  t.study.spreadFocus = 1;
  t.study.isBlock = true;
  t.study.copyBlockCol = -1;
  t.recep.block = SheetBlock{2, 1, 2, 1};
  t.study.paste();
  EXPECT_EQ(t.log.calls, (Calls{"main.save(disabled)"}));
  t.log.calls.clear();
  t.recep.block = SheetBlock{-1, 3, -1, 3};
  t.study.paste();
  EXPECT_EQ(t.log.calls, (Calls{"main.undo(1)", "main.editMenu(1)", "recep.pasteClipboard()", "main.save(disabled)"}));
}

TEST(Study, PasteWithoutAFocusedSheetComplains) {
  RecordedStudy t;
  t.study.spreadFocus = 0;
  t.study.paste();
  EXPECT_EQ(t.log.calls, (Calls{"msg(Bad focus = 0|VORN|critical)", "main.save(disabled)"}));
}

TEST(Study, EquipmentCopyIsRefusedOnlyInsideColumnsFourToEight) {
  const std::string refused =
      "msg(Can't copy 'Impact Device','Usage','Lmax Spec' and 'Lmax Actual'|VORN|information)";
  struct Case {
    SheetBlock block;
    bool allowed;
  };
  const Case cases[] = {
      {{4, 1, 4, 1}, false}, {{6, 2, 8, 5}, false}, {{4, 1, 9, 1}, true},
      {{5, 1, 10, 3}, true}, {{2, 1, 5, 1}, true},  {{9, 1, 10, 1}, true},
  };
  for (const Case& c : cases) {
    RecordedStudy t;
    t.study.spreadFocus = 2;
    t.equip.block = c.block;
    t.study.copy();
    if (c.allowed) {
      EXPECT_EQ(t.log.calls, (Calls{"equip.copySelection()", "main.editMenu(2)"})) << c.block.col;
      EXPECT_EQ(t.study.copyFrom, 2);
      EXPECT_EQ(t.study.copyBlockCol, c.block.col);
    } else {
      EXPECT_EQ(t.log.calls, (Calls{refused})) << c.block.col;
      EXPECT_EQ(t.study.copyFrom, 0);
    }
  }
}

TEST(Study, CopyWithoutAFocusedSheetDoesNothing) {
  RecordedStudy t;
  t.study.spreadFocus = 0;
  t.study.copyBlockCol = 7;
  t.study.copy();
  EXPECT_TRUE(t.log.calls.empty());
  EXPECT_EQ(t.study.copyBlockCol, 7);
  EXPECT_EQ(t.study.copyFrom, 0);
}

TEST(Study, PasteIntoAColumnOfAnotherKindOnlyMarksTheCaseChanged) {
  RecordedStudy t;
  t.study.copyFrom = 2;
  t.study.spreadFocus = 2;
  t.study.copyBlockCol = 2;
  t.equip.block = SheetBlock{9, 1, 9, 1};
  t.equip.typesMatch = false;
  t.study.paste();
  EXPECT_EQ(t.log.calls, (Calls{"equip.cellTypeMatch(2,9)", "main.save(disabled)"}));
  EXPECT_EQ(t.study.editOperation, 0);
  EXPECT_TRUE(t.study.caseChanged());

  t.log.calls.clear();
  t.study.spreadFocus = 3;
  t.study.paste();
  EXPECT_EQ(t.log.calls, (Calls{"msg(Bad focus = 3|VORN|critical)", "main.save(disabled)"}));
}
