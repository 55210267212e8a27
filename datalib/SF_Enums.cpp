#include "SF_Enums.h"

#include <array>
#include <utility>

namespace {

template <typename E, std::size_t N>
std::string_view nameOf(const std::array<std::pair<E, std::string_view>, N>& table, E value) {
  for (const auto& [v, name] : table)
    if (v == value) return name;
  return {};
}

template <typename E, std::size_t N>
bool valueOf(const std::array<std::pair<E, std::string_view>, N>& table, std::string_view name, E& value) {
  for (const auto& [v, n] : table)
    if (n == name) {
      value = v;
      return true;
    }
  return false;
}

constexpr std::array<std::pair<SF_AverageMethod, std::string_view>, 6> kAverage{{
    {SF_LINEAR, "LINEAR"}, {SF_TRUSLO, "TRUSLO"}, {SF_4S100, "4S100"},
    {SF_4S95, "4S95"}, {SF_CONTEXPO, "CONTEXPO"}, {SF_NA, "NA"}}};

constexpr std::array<std::pair<SF_TimeStampType, std::string_view>, 5> kStamp{{
    {SF_START, "START"}, {SF_MIDPT, "MIDPT"}, {SF_END, "END"}, {SF_ICAOSLO, "ICAOSLO"}, {SF_OLDSLO, "OLDSLO"}}};

constexpr std::array<std::pair<SF_RefTimeType, std::string_view>, 8> kRef{{
    {SF_START_REF, "START"}, {SF_OVERHEAD, "OVERHEAD"}, {SF_AMAX, "AMAX"}, {SF_PMAX, "PMAX"},
    {SF_TMAX, "TMAX"}, {SF_OAMAX, "OAMAX"}, {SF_HACK, "HACK"}, {SF_OTHER, "OTHER"}}};

constexpr std::array<std::pair<SF_METRIC_TYPE, std::string_view>, 10> kMetric{{
    {SF_METRIC_AWT, "AWT"}, {SF_METRIC_CWT, "CWT"}, {SF_METRIC_DWT, "DWT"}, {SF_METRIC_OA, "OA"},
    {SF_METRIC_PNL, "PNL"}, {SF_METRIC_PNLT, "PNLT"}, {SF_METRIC_TONECOR, "TONECOR"},
    {SF_METRIC_TONEBND, "TONEBND"}, {SF_METRIC_LGB, "LGB"}, {SF_METRIC_INTEG, "INTEG"}}};

constexpr std::array<std::pair<SF_MASK_MODE, std::string_view>, 4> kMask{{
    {NOT_MASKED, "-"}, {MASKED_BY_MASK_CRITERION, "M"}, {MASKED_BY_PRE_DETECT, "A"}, {MASKED_BY_POST_DETECT, "F"}}};

constexpr std::array<std::pair<SF_MASK_ADJUST, std::string_view>, 7> kAdjust{{
    {NOT_ADJUSTED, "-"}, {ENERGY_SUBTRACTION, "S"}, {FREQUENCY_EXTRAPOLATION, "F"}, {TIME_EXTRAPOLATION, "T"},
    {AVG_OF_ADJACENT, "A"}, {CORRECTIONS_APPLIED, "C"}, {ADJ_TO_REFERENCE, "R"}}};

}  // namespace

std::string_view SF_AverageMethodName(SF_AverageMethod value) { return nameOf(kAverage, value); }
std::string_view SF_TimeStampTypeName(SF_TimeStampType value) { return nameOf(kStamp, value); }
std::string_view SF_RefTimeTypeName(SF_RefTimeType value) { return nameOf(kRef, value); }
std::string_view SF_MetricTypeName(int metricType) { return nameOf(kMetric, static_cast<SF_METRIC_TYPE>(metricType)); }

bool SF_AverageMethodFromName(std::string_view name, SF_AverageMethod& value) { return valueOf(kAverage, name, value); }
bool SF_TimeStampTypeFromName(std::string_view name, SF_TimeStampType& value) { return valueOf(kStamp, name, value); }
bool SF_RefTimeTypeFromName(std::string_view name, SF_RefTimeType& value) { return valueOf(kRef, name, value); }
bool SF_MetricTypeFromName(std::string_view name, SF_METRIC_TYPE& value) { return valueOf(kMetric, name, value); }

std::string_view SF_MaskModeLetter(SF_MASK_MODE value) { return nameOf(kMask, value); }
std::string_view SF_MaskAdjustLetter(SF_MASK_ADJUST value) { return nameOf(kAdjust, value); }
bool SF_MaskModeFromLetter(char letter, SF_MASK_MODE& value) {
  return valueOf(kMask, std::string_view(&letter, 1), value);
}
bool SF_MaskAdjustFromLetter(char letter, SF_MASK_ADJUST& value) {
  return valueOf(kAdjust, std::string_view(&letter, 1), value);
}

double SF_TimeStampOffset(SF_TimeStampType type) {
  switch (type) {
    case SF_START: return 0.5;
    case SF_MIDPT: return 0.25;
    case SF_END: return 0.0;
    case SF_ICAOSLO: return 0.75;
    case SF_OLDSLO: return 1.0;
  }
  return 0.0;
}
