#include <gtest/gtest.h>

#include "study/mEditMenu.h"

namespace {

using mEditMenu::Enabled;

// Each state applied once over all items off and once over all items on:
// what a state names is forced, what it leaves keeps the starting value.
struct Row {
  int state;
  Enabled fromOff;
  Enabled fromOn;
};

TEST(EditMenu, EachStateSetsTheItemsItNamesAndKeepsTheOthers) {
  //                 Copy   Paste  Delete Undo
  const Row rows[] = {
      {1, {false, true, false, false}, {true, true, true, true}},
      {2, {false, true, false, false}, {true, true, false, true}},
      {3, {false, false, false, false}, {true, false, true, true}},
      {4, {false, false, false, false}, {true, false, false, true}},
      {5, {true, false, true, false}, {true, true, true, true}},
      {6, {true, false, false, false}, {true, true, false, true}},
      {7, {false, false, false, false}, {false, false, false, false}},
      {0, {false, false, false, false}, {true, true, true, true}},
      {8, {false, false, false, false}, {true, true, true, true}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(mEditMenu::apply({false, false, false, false}, row.state), row.fromOff) << row.state;
    EXPECT_EQ(mEditMenu::apply({true, true, true, true}, row.state), row.fromOn) << row.state;
  }
}

}  // namespace
