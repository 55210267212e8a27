#include <gtest/gtest.h>

#include "compute/mExplain.h"
#include "compute/mProcess.h"
#include "tests/study/StudyFixtures.h"

// The tip of each results cell of the selected receptor, by column: 85 dBA at
// 100 m (328.1 ft) behind 2 dB, 40 % usage, L10 adjustment 3, limits 70.
TEST(Explain, EachColumnOfTheResultsSheetHasItsOwnStory) {
  cStudy study;
  setAllCriteriaValue(study, 70);
  study.NoiseMetric = 2;
  study.units = 1;
  addValidReceptor(study, "Home");
  addValidEquipment(study, "Dozer", 85, 40);
  linkAll(study, 100);
  study.colReceptors[0]->colLinks[0]->sheilding = 2;
  study.setReceptorID(1);
  mProcess::processReceptor(study);
  // 328.08 ft: 20 log10(6.5617) = 16.34 dB; Lmax 85 - 16.34 - 2 = 66.66; Leq 66.66 - 3.98 = 62.68; L10 65.68.
  const std::pair<std::int32_t, std::string> cells[] = {
      {2, "Lmax 66.7 dBA = spec Lmax at 50 ft 85.0 dBA + distance term -16.3 dB - shielding 2.0 dB\n"
          "  distance term = -20 log10(328.1 ft / 50 ft) = -16.3 dB (100.0 m = 328.1 ft)"},
      {3, "Lmax 66.7 dBA = spec Lmax at 50 ft 85.0 dBA + distance term -16.3 dB - shielding 2.0 dB\n"
          "  distance term = -20 log10(328.1 ft / 50 ft) = -16.3 dB (100.0 m = 328.1 ft)\n"
          "Leq 62.7 dBA = Lmax 66.7 dBA + usage term -4.0 dB\n"
          "  usage term = 10 log10(40 % / 100) = -4.0 dB\n"
          "L10 65.7 dBA = Leq 62.7 dBA + L10 adjustment 3.0 dB"},
      {9, "Night L10 limit 70.0 dBA (Residential, non-impact criteria): Value = 70 dBA"},
      {12, "Evening Lmax exceedance None: Lmax 66.7 dBA is within the limit 70.0 dBA\n"
           "Evening Lmax limit 70.0 dBA (Residential, non-impact criteria): Value = 70 dBA"},
  };
  for (const auto& [column, text] : cells) EXPECT_EQ(mExplain::explainCell(study, 1, 1, column), text) << column;
  EXPECT_EQ(mExplain::explainCell(study, 1, mExplain::totalLine, 2),
            "Total Lmax 66.7 dBA = the loudest active piece, Dozer (not a sum)");
  EXPECT_EQ(mExplain::explainCell(study, 1, 2, 2), "");   // no such equipment
  EXPECT_EQ(mExplain::explainCell(study, 1, 1, 16), "");  // no such column
  EXPECT_EQ(mExplain::explainCell(study, 2, 1, 2), "");   // no such receptor
}
