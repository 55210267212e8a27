// Minimum working distances: the closed forms D = 25 x (PPVref / limit)^(1/n)
// and D = 25 x 10^((Lvref - limit) / 30) feet, rounded UP to the tenth that
// is shown, so the distance as shown keeps the limit.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "study/mFormat.h"
#include "vibration/mVibration.h"
#include "vibration/mVibrationCriteria.h"
#include "vibration/mVibrationTable.h"

namespace {

// A link at the distance as shown: the text read back as the sheet would store it.
float asShown(double distance) { return std::stof(format0_0(distance)); }

bool ppvComplies(double ref, double limit, double n, float d, int units) {
  return !mVibration::exceedance(mVibration::ppv(ref, mVibration::distanceFeet(d, units), n), limit);
}

bool lvComplies(double ref, double limit, float d, int units) {
  return !mVibration::exceedance(mVibration::lv(ref, mVibration::distanceFeet(d, units)), limit);
}

}  // namespace

TEST(VibrationMinDistance, WorkedByHandRoundUpToTheShownTenth) {
  // 25 x 7.59^(2/3) = 96.553 ft = 29.430 m.
  EXPECT_EQ(format0_0(mVibration::minDistancePPV(1.518, 0.2, 1.5, 0)), "96.6");
  EXPECT_EQ(format0_0(mVibration::minDistancePPV(1.518, 0.2, 1.5, 1)), "29.5");
  // 25 x 10^(40/30) = 538.609 ft = 164.168 m.
  EXPECT_EQ(format0_0(mVibration::minDistanceLv(112.0, 72.0, 0)), "538.7");
  EXPECT_EQ(format0_0(mVibration::minDistanceLv(112.0, 72.0, 1)), "164.2");
  // 25 x 0.006^(1/1.1) = 0.239 ft: the small bulldozer keeps 0.5 in/s almost touching.
  EXPECT_EQ(format0_0(mVibration::minDistancePPV(0.003, 0.5, 1.1, 0)), "0.3");
}

TEST(VibrationMinDistance, AnExactTenthIsNotRoundedPast) {
  // 87 VdB against 57: exactly 250 ft, where Lv equals the limit (no exceedance).
  EXPECT_EQ(format0_0(mVibration::minDistanceLv(87.0, 57.0, 0)), "250.0");
  // 250 ft is 76.2001525 m; 76.2 m converts to 249.9995 ft, just inside.
  EXPECT_EQ(format0_0(mVibration::minDistanceLv(87.0, 57.0, 1)), "76.3");
  // A reference at the limit itself: 25 ft.
  EXPECT_EQ(format0_0(mVibration::minDistancePPV(0.5, 0.5, 1.3, 0)), "25.0");
}

TEST(VibrationMinDistance, EveryRowAndLimitAsShownCompliesAndOneStepLessDoesNot) {
  for (std::size_t i = 0; i < mVibrationTable::rowCount(); ++i) {
    const auto& row = mVibrationTable::row(i);
    for (int units : {0, 1}) {
      for (double n : {1.1, 1.25, 1.5}) {
        for (std::int32_t c = 1; c <= 4; ++c) {
          const double limit = mVibrationCriteria::category(c).ppvLimit;
          const double d = mVibration::minDistancePPV(row.ppvRef, limit, n, units);
          const std::string what = std::string(row.name) + " PPV " + format0_0(d);
          EXPECT_TRUE(ppvComplies(row.ppvRef, limit, n, asShown(d), units)) << what;
          if (d > 0.15) {
            EXPECT_FALSE(ppvComplies(row.ppvRef, limit, n, asShown(d - 0.1), units)) << what;
          }
        }
      }
      for (double limit : {65.0, 72.0, 75.0, 80.0}) {
        const double d = mVibration::minDistanceLv(row.lvRef, limit, units);
        const std::string what = std::string(row.name) + " Lv " + format0_0(d);
        EXPECT_TRUE(lvComplies(row.lvRef, limit, asShown(d), units)) << what;
        if (d > 0.15) {
          EXPECT_FALSE(lvComplies(row.lvRef, limit, asShown(d - 0.1), units)) << what;
        }
      }
    }
  }
}
