#pragma once
// The 5 dB bands a noise map is shown and exported in: below 35 dB no band,
// then 35 to 40, 40 to 45, ... 75 to 80, and 80 and above. Each band holds
// its lower edge and not its upper one (40.0 dB is in 40 to 45), as the
// legend says. The colours run from pale to dark in a sequence that reads
// the same to the common forms of colour blindness (lightness rises
// steadily, blue to yellow without a red-green step) and in grey print.

#include <cstdint>
#include <string>

namespace mNoiseBands {

inline constexpr float lowest = 35.0f;
inline constexpr float width = 5.0f;
inline constexpr int count = 10;  // 35-40 ... 75-80, 80+

// The band of a level: 0 for 35 to 40 ... count - 1 for 80 and above; -1
// below 35 dB and for noData or a level that is not a number.
int bandOf(float level);
// The lower edge of a band, dB.
float lowerEdge(int band);
// The legend's text: "35 - 40 dB" ... "80 dB and above".
std::string label(int band);
// 0xRRGGBB.
std::uint32_t colour(int band);

// The bands of an exceedance map: 0 to 5 dB over, 5 to 10 ... 20 and more,
// each holding its lower edge except that an excess must be above 0; -1 for
// 0 or less.
inline constexpr int exceedCount = 5;
int exceedBandOf(float excess);
float exceedLowerEdge(int band);
std::string exceedLabel(int band);
std::uint32_t exceedColour(int band);

}  // namespace mNoiseBands
