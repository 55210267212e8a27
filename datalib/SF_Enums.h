#pragma once
// Enumerations of the measurement model and their text names. The values are
// part of the library's interface: files and other programs store them. Each
// has int as its underlying type, so a stored value outside the table is
// still a valid value (its text name is then empty).

#include <string_view>

enum SF_AverageMethod : int {
  SF_LINEAR = 0,
  SF_TRUSLO = 1,
  SF_4S100 = 2,
  SF_4S95 = 3,
  SF_CONTEXPO = 4,
  SF_NA = 99
};

// Which instant of a 0.5 s record its time stamp marks.
enum SF_TimeStampType : int {
  SF_START = 0,
  SF_MIDPT = 1,
  SF_END = 2,
  SF_ICAOSLO = 3,
  SF_OLDSLO = 4
};

enum SF_RefTimeType : int {
  SF_START_REF = 0,
  SF_OVERHEAD = 1,
  SF_AMAX = 2,
  SF_PMAX = 3,
  SF_TMAX = 4,
  SF_OAMAX = 5,
  SF_HACK = 6,
  SF_OTHER = 7
};

// Which of its two seconds values an SF_Time answers as its working time.
enum SF_OPTIME : int {
  SF_TIME_TOD = 0,
  SF_TIME_REF = 1
};

enum SF_CONSTANTS : int {
  SF_INVALID_LEVEL = 9999  // a level or band number that is not available
};

enum SF_METRIC_TYPE : int {
  SF_METRIC_AWT = 1,
  SF_METRIC_CWT = 2,
  SF_METRIC_DWT = 3,
  SF_METRIC_OA = 4,
  SF_METRIC_PNL = 5,
  SF_METRIC_PNLT = 6,
  SF_METRIC_TONECOR = 7,
  SF_METRIC_TONEBND = 8,
  SF_METRIC_LGB = 9,
  SF_METRIC_INTEG = 10
};

// Bit flags.
enum SF_METRIC_INTEG_VALUE : int {
  SF_INTEG_MAX = 1,
  SF_INTEG_FST = 2,
  SF_INTEG_LST = 4,
  SF_INTEG_2ND = 8
};

enum SF_MASK_MODE : int {
  NOT_MASKED = 0,
  MASKED_BY_MASK_CRITERION = 1,
  MASKED_BY_PRE_DETECT = 2,
  MASKED_BY_POST_DETECT = 3
};

enum SF_MASK_ADJUST : int {
  NOT_ADJUSTED = 0,
  ENERGY_SUBTRACTION = 1,
  FREQUENCY_EXTRAPOLATION = 2,
  TIME_EXTRAPOLATION = 3,
  AVG_OF_ADJACENT = 4,
  CORRECTIONS_APPLIED = 5,
  ADJ_TO_REFERENCE = 6
};

// Text names as files write them ("LINEAR", "MIDPT", "OVERHEAD", "PNLT").
// A value outside the tables gives an empty text.
std::string_view SF_AverageMethodName(SF_AverageMethod value);
std::string_view SF_TimeStampTypeName(SF_TimeStampType value);
std::string_view SF_RefTimeTypeName(SF_RefTimeType value);
std::string_view SF_MetricTypeName(int metricType);

// Reverse look-ups; the comparison is exact and case-sensitive. False, and
// value untouched, when the text is not a name of the table.
bool SF_AverageMethodFromName(std::string_view name, SF_AverageMethod& value);
bool SF_TimeStampTypeFromName(std::string_view name, SF_TimeStampType& value);
bool SF_RefTimeTypeFromName(std::string_view name, SF_RefTimeType& value);
bool SF_MetricTypeFromName(std::string_view name, SF_METRIC_TYPE& value);

// The one-letter texts of a mask cell ("-", "M", "A", "F" and "-", "S", "F",
// "T", "A", "C", "R"); empty for a value outside the tables.
std::string_view SF_MaskModeLetter(SF_MASK_MODE value);
std::string_view SF_MaskAdjustLetter(SF_MASK_ADJUST value);
bool SF_MaskModeFromLetter(char letter, SF_MASK_MODE& value);
bool SF_MaskAdjustFromLetter(char letter, SF_MASK_ADJUST& value);

// Where a time stamp of the type lies in its 0.5 s record, as the seconds
// subtracted from a start time before record r is stamped at + 0.5 r: 0.5 for
// SF_START, 0.25 SF_MIDPT, 0 SF_END, 0.75 SF_ICAOSLO, 1 SF_OLDSLO (0 otherwise).
double SF_TimeStampOffset(SF_TimeStampType type);
