#pragma once
// Texts shared by the measurement file formats: the ".00" level format, the
// shortest number text, the band labels, and strict number reading (no
// locale; a field either is a number or the read fails).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SF_DataMessage.h"

class SF_FileText {
public:
  // Two decimals (see fixed) without a 0 before the point: 0.5 gives .50, -0.5 gives -.50, 72.345 gives 72.35.
  static std::string level(double value);
  static void appendLevel(std::string& out, double value);
  // The value with the given decimals: rounded as its 15-significant-digit
  // decimal text, halves away from zero (72.345 gives 72.35); no sign on a zero text.
  static std::string fixed(double value, int decimals);
  // The shortest decimal text of the value as a 32-bit float: at most 7
  // significant digits, no trailing zeros, a 0 before the point of a fraction
  // (1500000, 62.5, 0.5); exponent form (1E+15) only beyond 1E+15 or below 1E-05.
  static std::string shortest(double value);
  static void appendShortest(std::string& out, double value);
  // The shortest decimal text that reads back as the same double (coordinates,
  // times), laid out as shortest() lays out its digits.
  static std::string shortestDouble(double value);
  static void appendShortestDouble(std::string& out, double value);
  static std::string whole(long long value);

  // "B17/50Hz" for bands 2 to 50; empty text for any other band.
  static std::string_view bandLabel(int band);

  static std::string_view trim(std::string_view text);
  static std::string upper(std::string_view text);

  // The whole trimmed text as a number; blanks around it allowed, nothing else.
  static std::optional<double> toDouble(std::string_view text);
  // The whole trimmed text as a whole number (a decimal point with only zeros after it is allowed).
  static std::optional<long long> toWhole(std::string_view text);
  static std::optional<std::int16_t> toInt16(std::string_view text);
  // The leading number of a text after blanks, as much as reads as one ("12.5abc" gives 12.5).
  static std::optional<double> leadingNumber(std::string_view text);
  // Characters first..last (1-based, inclusive) of a line, as far as the line reaches.
  static std::string_view columns(std::string_view line, std::size_t first, std::size_t last);

  // Writes the lines as a whole file through SF_DataASCII (CR LF, replaced only when complete).
  static SF_DataMessage writeLines(const std::string& sFileName, std::vector<std::string> lines);

private:
  static void appendDecimal(std::string& out, std::string_view scientific);
};
