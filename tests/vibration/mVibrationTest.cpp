// Vibration of every reference row at 25 ft and at 100 ft, for the softest
// and the hardest soil. Expected values from the formulas on a desk
// calculator: at 25 ft PPV and Lv are the references; at 100 ft
// PPV = PPVref x 0.25^n (0.125 for n = 1.5, 0.2176376408 for n = 1.1) and
// Lv = Lvref - 30 lg 4 = Lvref - 18.0617997.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "vibration/mVibration.h"
#include "vibration/mVibrationTable.h"

namespace {

struct Expected {
  const char* name;
  double ppvRef, lvRef;
  double ppv100n15, ppv100n11, lv100;
};

const Expected kRows[] = {
    {"Impact pile driver (upper range)", 1.518, 112, 0.18975, 0.330373939, 93.9382003},
    {"Impact pile driver (typical)", 0.644, 104, 0.0805, 0.140158641, 85.9382003},
    {"Sonic pile driver (upper range)", 0.734, 105, 0.09175, 0.159746028, 86.9382003},
    {"Sonic pile driver (typical)", 0.170, 93, 0.02125, 0.0369983989, 74.9382003},
    {"Clam shovel drop", 0.202, 94, 0.02525, 0.0439628034, 75.9382003},
    {"Hydromill in soil", 0.008, 66, 0.001, 0.00174110113, 47.9382003},
    {"Hydromill in rock", 0.017, 75, 0.002125, 0.00369983989, 56.9382003},
    {"Vibratory roller", 0.210, 94, 0.02625, 0.0457039046, 75.9382003},
    {"Hoe ram", 0.089, 87, 0.011125, 0.01936975, 68.9382003},
    {"Large bulldozer", 0.089, 87, 0.011125, 0.01936975, 68.9382003},
    {"Caisson drilling", 0.089, 87, 0.011125, 0.01936975, 68.9382003},
    {"Loaded trucks", 0.076, 86, 0.0095, 0.0165404607, 67.9382003},
    {"Jackhammer", 0.035, 79, 0.004375, 0.00761731743, 60.9382003},
    {"Small bulldozer", 0.003, 58, 0.000375, 0.000652912922, 39.9382003},
};

// Nine significant digits, as the expectations are written.
void expectClose(double actual, double expected, const std::string& what) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-8) << what;
}

}  // namespace

TEST(VibrationTable, HoldsThePublishedRowsInOrder) {
  ASSERT_EQ(mVibrationTable::rowCount(), std::size(kRows));
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const auto& row = mVibrationTable::row(i);
    EXPECT_EQ(std::string(row.name), kRows[i].name);
    EXPECT_EQ(row.ppvRef, kRows[i].ppvRef) << row.name;
    EXPECT_EQ(row.lvRef, kRows[i].lvRef) << row.name;
    EXPECT_EQ(mVibrationTable::find(row.name), static_cast<int>(i));
  }
  EXPECT_EQ(mVibrationTable::find("hoe ram"), -1);
}

TEST(Vibration, EveryRowAt25And100FeetForBothEndsOfTheSoilRange) {
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const auto& e = kRows[i];
    const auto& row = mVibrationTable::row(i);
    for (double n : {1.5, 1.1}) {
      const std::string what = std::string(e.name) + " n=" + std::to_string(n);
      expectClose(mVibration::ppv(row.ppvRef, 25.0, n), e.ppvRef, what + " PPV at 25 ft");
      expectClose(mVibration::ppv(row.ppvRef, 100.0, n), n == 1.5 ? e.ppv100n15 : e.ppv100n11, what + " PPV at 100 ft");
    }
    expectClose(mVibration::lv(row.lvRef, 25.0), e.lvRef, std::string(e.name) + " Lv at 25 ft");
    expectClose(mVibration::lv(row.lvRef, 100.0), e.lv100, std::string(e.name) + " Lv at 100 ft");
  }
}

TEST(Vibration, MetersAreConvertedAsTheNoiseLevelsAre) {
  // 30.48 m x 3.280833333 = 99.99980 ft (rounded to a float, as the noise
  // computation rounds it): within 2 parts in a million of 100 ft.
  const double feet = mVibration::distanceFeet(30.48f, 1);
  EXPECT_EQ(feet, static_cast<double>(static_cast<float>(30.48f * 3.280833333)));
  EXPECT_NEAR(feet, 99.9998, 1e-4);
  EXPECT_EQ(mVibration::distanceFeet(30.48f, 0), static_cast<double>(30.48f));
  // The hoe ram there: 0.011125 x (100 / 99.9998)^1.5 and 68.9382 + 30 lg(100 / 99.9998).
  EXPECT_NEAR(mVibration::ppv(0.089, feet, 1.5), 0.0111250331, 1e-9);
  EXPECT_NEAR(mVibration::lv(87.0, feet), 68.9382261, 1e-6);
}

TEST(Vibration, ExceedanceIsNoneAtOrBelowTheLimit) {
  EXPECT_FALSE(mVibration::exceedance(0.2, 0.2));
  EXPECT_FALSE(mVibration::exceedance(71.9, 72.0));
  ASSERT_TRUE(mVibration::exceedance(72.5, 72.0));
  EXPECT_DOUBLE_EQ(*mVibration::exceedance(72.5, 72.0), 0.5);
}

TEST(Vibration, ExponentRangeIsTheSoils) {
  EXPECT_TRUE(mVibration::isExponent(1.1));
  EXPECT_TRUE(mVibration::isExponent(1.5));
  EXPECT_FALSE(mVibration::isExponent(1.09));
  EXPECT_FALSE(mVibration::isExponent(1.51));
  EXPECT_FALSE(mVibration::isExponent(std::nan("")));
}
