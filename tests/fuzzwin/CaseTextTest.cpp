// Descriptions as the window stores them come back from a saved case as
// they were: whatever a user types, the text kept is one the case file can
// carry.

#include <gtest/gtest.h>

#include "study/cStudy.h"
#include "study/mFormat.h"
#include "tests/support/TempDir.h"

namespace {

TEST(CaseText, EveryStoredDescriptionReopensAsItWas) {
  const char* typed[] = {"plain",        "a, b",      ",lead",       "trail,",      ",",         ",,",
                         "a,,b",         " , ",       "x ,y",        "x, \"y\" ,z", "12\" saw",  "a \"b, c",
                         "pipe|bar",     "a|b, c",    "  spaced  ",  "\"",          "a,\"b",     "\xe9t\xe9, \x80",
                         "\"quoted\"",   "a , \"b\"", "|,|",         ", \",\" ,"};
  TempDir dir;
  for (const char* text : typed) {
    cStudy study;
    study.NoiseMetric = 2;
    study.caseDescription = storableText(text);
    study.addEquipment(1)->description = storableText(text);
    study.addReceptor(1)->description = storableText(text);
    ASSERT_EQ(study.caseFile.writeCaseFile(dir.file("t.cas")), SF_DATA_OK) << text;
    cStudy reopened;
    if (!reopened.caseFile.readCaseFile(dir.file("t.cas"))) {
      ADD_FAILURE() << "does not reopen: " << text;
      continue;
    }
    EXPECT_EQ(reopened.caseDescription, study.caseDescription) << text;
    ASSERT_EQ(reopened.colEquipment.size(), 1u) << text;
    EXPECT_EQ(reopened.colEquipment[0]->description, study.colEquipment[0]->description) << text;
    ASSERT_EQ(reopened.colReceptors.size(), 1u) << text;
    EXPECT_EQ(reopened.colReceptors[0]->description, study.colReceptors[0]->description) << text;
  }
}

}  // namespace
