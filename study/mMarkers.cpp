#include "study/mMarkers.h"

std::string markerWord(float v) {
  if (isValueNA(v)) return "N/A";
  if (isValueExempt(v)) return "Exempt";
  if (isValueNone(v)) return "None";
  return "Value";
}
