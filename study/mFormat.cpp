#include "study/mFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace {

std::string toChars(double v, std::chars_format fmt, int precision) {
  char buf[512];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, fmt, precision);
  return std::string(buf, r.ptr);
}

bool allZeroDigits(std::string_view s) {
  for (char c : s)
    if (c >= '1' && c <= '9') return false;
  return true;
}

// True when v lies exactly halfway between two numbers of the given
// decimals: v * 10^decimals is then a representable half-integer, so the
// product is exact (its fused residual is zero) and its fraction is .5.
bool isExactHalf(double v, int decimals) {
  double scale = 1.0;
  for (int i = 0; i < decimals; ++i) scale *= 10.0;
  const double t = std::fabs(v) * scale;
  if (std::fma(std::fabs(v), scale, -t) != 0.0) return false;
  return t - std::floor(t) == 0.5;
}

}  // namespace

std::string formatFixed(double value, int decimals) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  double v = value;
  if (isExactHalf(v, decimals)) v = std::nextafter(v, v < 0 ? -INFINITY : INFINITY);
  std::string s = toChars(v, std::chars_format::fixed, decimals);
  if (s[0] == '-' && allZeroDigits(s)) s.erase(0, 1);
  return s;
}

std::string format0_0(double value) { return formatFixed(value, 1); }

std::string format0(double value) { return formatFixed(value, 0); }

std::string numberText(float value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  if (value == 0.0f) return "0";
  // d.dddddde+XX: the value rounded to 7 significant digits.
  const std::string sci = toChars(static_cast<double>(value), std::chars_format::scientific, 6);
  const bool negative = sci[0] == '-';
  const std::size_t m0 = negative ? 1 : 0;
  const std::size_t e = sci.find('e');
  std::string digits;
  for (std::size_t i = m0; i < e; ++i)
    if (sci[i] != '.') digits += sci[i];
  const int exponent = std::atoi(sci.c_str() + e + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += exponent < 0 ? "E-" : "E+";
    const int a = std::abs(exponent);
    if (a < 10) out += '0';
    out += std::to_string(a);
    return out;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
    return out;
  }
  const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= intDigits) {
    out += digits;
    out.append(intDigits - digits.size(), '0');
  } else {
    out += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
  }
  return out;
}

std::string quoteField(const std::string& text) {
  if (text.find(',') == std::string::npos) return text;
  return "\"" + text + "\"";
}

std::string storableText(const std::string& text) {
  std::string out = text;
  std::replace(out.begin(), out.end(), '"', '\'');
  std::string::size_type bar;
  while ((bar = out.find('|')) != std::string::npos) out.replace(bar, 1, "\xA6");
  const std::size_t first = out.find_first_not_of(" ,");
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}
