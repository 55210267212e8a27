#include <gtest/gtest.h>

#include "app/gui/cRegistry.h"
#include "qtplatform/cMemorySettingsStore.h"
#include "study/cStudy.h"

namespace {

constexpr const char* kApp = "Corvath VORN";

struct Registry : ::testing::Test {
  cMemorySettingsStore store;
  cRegistry registry{store};
  cStudy study;
  void SetUp() override { registry.programName = kApp; }
  void store2(const char* units, const char* warning) {
    if (units) store.saveSetting(kApp, "UserSelect", "Units", units);
    if (warning) store.saveSetting(kApp, "UserSelect", "WarningMessage", warning);
  }
};

TEST_F(Registry, AbsentSettingsStartInFeetWithoutTheWarningPreference) {
  study.units = 1;
  study.noWarningMessage = true;
  registry.getSettings(study);
  EXPECT_EQ(study.units, 0);
  EXPECT_FALSE(study.noWarningMessage);
}

struct StoredCase {
  const char* units;
  const char* warning;
  std::int32_t expectedUnits;
  bool expectedWarning;
};

TEST_F(Registry, StoredTextsReadAsTheirNumericValueAndUnitsOtherThanZeroAreMeters) {
  const StoredCase cases[] = {
      {"1", "-1", 1, true}, {"0", "0", 0, false},   {"2", "1", 1, true},    {"-3", "7", 1, true},
      {"", "", 0, false},   {"abc", "x", 0, false}, {" 1 ", "-1.0", 1, true}, {"1e99", "0.4", 0, false},
  };
  for (const auto& c : cases) {
    store2(c.units, c.warning);
    registry.getSettings(study);
    EXPECT_EQ(study.units, c.expectedUnits) << c.units;
    EXPECT_EQ(study.noWarningMessage, c.expectedWarning) << c.warning;
  }
}

TEST_F(Registry, SaveWritesTheStudysValuesUnderTheProgramName) {
  study.units = 1;
  study.noWarningMessage = true;
  ASSERT_TRUE(registry.saveSettings(study));
  EXPECT_EQ(store.getSetting(kApp, "UserSelect", "Units"), "1");
  EXPECT_EQ(store.getSetting(kApp, "UserSelect", "WarningMessage"), "-1");
  study.units = 0;
  study.noWarningMessage = false;
  registry.saveSettings(study);
  EXPECT_EQ(store.getSetting(kApp, "UserSelect", "Units"), "0");
  EXPECT_EQ(store.getSetting(kApp, "UserSelect", "WarningMessage"), "0");
  EXPECT_EQ(store.getSetting("other", "UserSelect", "Units", "absent"), "absent");
}

}  // namespace
