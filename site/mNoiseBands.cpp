#include "site/mNoiseBands.h"

#include <cmath>

#include "site/cNoiseGrid.h"

namespace mNoiseBands {

namespace {

// A blue-green-yellow sequence of rising lightness.
constexpr std::uint32_t levelColours[count] = {0x2A186C, 0x2E3A8C, 0x27568E, 0x1F6F8B, 0x1C878A,
                                               0x25A080, 0x49B76B, 0x86CB4F, 0xC4DA36, 0xFDE725};
// Exceedances: light to dark on a single orange-brown hue.
constexpr std::uint32_t exceedColours[exceedCount] = {0xFEE391, 0xFEC44F, 0xFE9929, 0xD95F0E, 0x993404};

std::string whole(float v) { return std::to_string(static_cast<int>(v)); }

}  // namespace

int bandOf(float level) {
  if (!(level >= lowest) || level == cNoiseGrid::noData) return -1;
  const int b = static_cast<int>(std::floor((static_cast<double>(level) - lowest) / width));
  return b >= count - 1 ? count - 1 : b;
}

float lowerEdge(int band) { return lowest + width * static_cast<float>(band); }

std::string label(int band) {
  if (band < 0 || band >= count) return {};
  if (band == count - 1) return whole(lowerEdge(band)) + " dB and above";
  return whole(lowerEdge(band)) + " - " + whole(lowerEdge(band + 1)) + " dB";
}

std::uint32_t colour(int band) { return band >= 0 && band < count ? levelColours[band] : 0; }

int exceedBandOf(float excess) {
  if (!(excess > 0.0f) || !std::isfinite(excess)) return -1;
  const int b = static_cast<int>(std::floor(static_cast<double>(excess) / width));
  return b >= exceedCount - 1 ? exceedCount - 1 : b;
}

float exceedLowerEdge(int band) { return width * static_cast<float>(band); }

std::string exceedLabel(int band) {
  if (band < 0 || band >= exceedCount) return {};
  if (band == exceedCount - 1) return "over by " + whole(exceedLowerEdge(band)) + " dB and more";
  if (band == 0) return "over by up to " + whole(exceedLowerEdge(1)) + " dB";
  return "over by " + whole(exceedLowerEdge(band)) + " - " + whole(exceedLowerEdge(band + 1)) + " dB";
}

std::uint32_t exceedColour(int band) { return band >= 0 && band < exceedCount ? exceedColours[band] : 0; }

}  // namespace mNoiseBands
