#include "app/gui/cRegistry.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "qtplatform/ISettingsStore.h"
#include "study/cStudy.h"

namespace {

constexpr const char* kSection = "UserSelect";
constexpr const char* kUnits = "Units";
constexpr const char* kWarning = "WarningMessage";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of text: sign, digits, a fraction and
// an exponent, as far as they go.
std::size_t numberPrefix(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t digitsStart = i;
  while (i < text.size() && isDigit(text[i])) ++i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i;
  }
  if (i == digitsStart || (i == digitsStart + 1 && text[digitsStart] == '.')) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

}  // namespace

cRegistry::cRegistry(ISettingsStore& store) : store_(store) {}

std::int32_t cRegistry::numericValue(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const std::size_t length = numberPrefix(text);
  if (length == 0) return 0;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + length, value);
  if (ec != std::errc() || end == text.data() || !std::isfinite(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max()) {
    return 0;
  }
  return static_cast<std::int32_t>(rounded);
}

void cRegistry::getSettings(cStudy& study) const {
  const std::int32_t units = numericValue(store_.getSetting(programName, kSection, kUnits, "0"));
  study.units = units == 0 ? 0 : 1;
  study.noWarningMessage = numericValue(store_.getSetting(programName, kSection, kWarning, "0")) != 0;
}

bool cRegistry::saveSettings(const cStudy& study) {
  const bool unitsSaved = store_.saveSetting(programName, kSection, kUnits, std::to_string(study.units));
  const bool warningSaved = store_.saveSetting(programName, kSection, kWarning, study.noWarningMessage ? "-1" : "0");
  return unitsSaved && warningSaved;
}
