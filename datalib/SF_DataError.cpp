#include "SF_DataError.h"

#include <cmath>

std::int16_t SF_ToInt16(double value) {
  if (!std::isfinite(value)) throw SF_DataError(SF_DataError::Overflow, "number out of 16-bit range");
  const double r = std::nearbyint(value);  // the default rounding mode rounds halves to even
  if (r < -32768.0 || r > 32767.0) throw SF_DataError(SF_DataError::Overflow, "number out of 16-bit range");
  return static_cast<std::int16_t>(r);
}

std::int16_t SF_ToInt16(long long value) {
  if (value < -32768 || value > 32767) throw SF_DataError(SF_DataError::Overflow, "number out of 16-bit range");
  return static_cast<std::int16_t>(value);
}

float SF_ToSingle(double value) {
  // Values past the largest single that still round to it are in range.
  constexpr double kLimit = 3.4028235677973366e38;
  if (std::isinf(value) || std::fabs(value) >= kLimit)
    throw SF_DataError(SF_DataError::Overflow, "number out of single-precision range");
  return static_cast<float>(value);
}
