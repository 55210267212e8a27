#include "SF_FileText.h"

#include "SF_DataASCII.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

const std::array<std::string_view, 49> kBandLabels = {
    "B2/1.6Hz",    "B3/2Hz",      "B4/2.5Hz",   "B5/3.15Hz",  "B6/4Hz",      "B7/5Hz",      "B8/6.3Hz",
    "B9/8Hz",      "B10/10Hz",    "B11/12.5Hz", "B12/16Hz",   "B13/20Hz",    "B14/25Hz",    "B15/31.5Hz",
    "B16/40Hz",    "B17/50Hz",    "B18/63Hz",   "B19/80Hz",   "B20/100Hz",   "B21/125Hz",   "B22/160Hz",
    "B23/200Hz",   "B24/250Hz",   "B25/315Hz",  "B26/400Hz",  "B27/500Hz",   "B28/630Hz",   "B29/800Hz",
    "B30/1kHz",    "B31/1.25kHz", "B32/1.6kHz", "B33/2kHz",   "B34/2.5kHz",  "B35/3.15kHz", "B36/4kHz",
    "B37/5kHz",    "B38/6.3kHz",  "B39/8kHz",   "B40/10kHz",  "B41/12.5kHz", "B42/16kHz",   "B43/20kHz",
    "B44/25kHz",   "B45/31.5kHz", "B46/40kHz",  "B47/50kHz",  "B48/63kHz",   "B49/80kHz",   "B50/100kHz"};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void SF_FileText::appendLevel(std::string& out, double value) {
  if (!std::isfinite(value)) {
    appendShortest(out, value);
    return;
  }
  std::string text = fixed(value, 2);
  std::size_t digit = text.front() == '-' ? 1 : 0;
  if (text.size() > digit + 1 && text[digit] == '0' && text[digit + 1] == '.') text.erase(digit, 1);  // "0.50" -> ".50"
  out += text;
}

std::string SF_FileText::fixed(double value, int decimals) {
  if (!std::isfinite(value)) return shortest(value);
  if (decimals < 0) decimals = 0;
  // The value is taken to 15 significant digits first, so that a level given
  // as 72.345 is rounded as the decimal it was written as (72.35), not as the
  // binary value just below it; a half then goes away from zero.
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  const std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
  const std::size_t e = sci.find('e');
  std::string digits;
  for (std::size_t i = 0; i < e; ++i)
    if (sci[i] != '.') digits += sci[i];
  int exponent = 0;
  std::string_view exp = sci.substr(e + 1);
  if (!exp.empty() && exp.front() == '+') exp.remove_prefix(1);
  std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
  // digits x 10^shift is the value times 10^decimals.
  const int shift = exponent - static_cast<int>(digits.size() - 1) + decimals;
  std::string n;
  if (shift >= 0) {
    n = digits + std::string(static_cast<std::size_t>(shift), '0');
  } else {
    const std::size_t cut = static_cast<std::size_t>(-shift);
    if (cut > digits.size()) {
      n = "0";
    } else {
      n = digits.substr(0, digits.size() - cut);
      const bool up = digits[digits.size() - cut] >= '5';
      if (n.empty()) n = "0";
      if (up) {
        std::size_t i = n.size();
        while (i > 0 && n[i - 1] == '9') n[--i] = '0';
        if (i == 0)
          n.insert(n.begin(), '1');
        else
          ++n[i - 1];
      }
    }
  }
  const std::size_t nonZero = n.find_first_not_of('0');
  n.erase(0, nonZero == std::string::npos ? n.size() - 1 : nonZero);
  const std::size_t width = static_cast<std::size_t>(decimals) + 1;
  if (n.size() < width) n.insert(0, width - n.size(), '0');
  std::string text;
  // A value that rounds to zero is written without a sign.
  if (value < 0 && nonZero != std::string::npos) text += '-';
  text.append(n, 0, n.size() - static_cast<std::size_t>(decimals));
  if (decimals > 0) {
    text += '.';
    text.append(n, n.size() - static_cast<std::size_t>(decimals), std::string::npos);
  }
  return text;
}

std::string SF_FileText::level(double value) {
  std::string out;
  appendLevel(out, value);
  return out;
}

void SF_FileText::appendShortest(std::string& out, double value) {
  if (value == 0.0 || !std::isfinite(value) || !std::isfinite(static_cast<float>(value))) {
    appendShortestDouble(out, value == 0.0 ? 0.0 : value);
    return;
  }
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(static_cast<float>(value)),
                               std::chars_format::scientific, 6);
  appendDecimal(out, std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

std::string SF_FileText::shortest(double value) {
  std::string out;
  appendShortest(out, value);
  return out;
}

void SF_FileText::appendShortestDouble(std::string& out, double value) {
  if (value == 0.0) {
    out += '0';
    return;
  }
  if (std::isnan(value)) {
    out += "NaN";
    return;
  }
  if (std::isinf(value)) {
    out += value > 0 ? "Infinity" : "-Infinity";
    return;
  }
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  appendDecimal(out, std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

std::string SF_FileText::shortestDouble(double value) {
  std::string out;
  appendShortestDouble(out, value);
  return out;
}

void SF_FileText::appendDecimal(std::string& out, std::string_view sci) {
  // sci is d[.ddd]e±XX: lay its digits out with a decimal point, as the
  // program's own files write numbers; exponent form only beyond 1E+15 or below 1E-05.
  const bool negative = !sci.empty() && sci.front() == '-';
  const std::size_t e = sci.find('e');
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < e; ++i)
    if (sci[i] != '.') digits += sci[i];
  int exponent = 0;
  std::string_view exp = sci.substr(e + 1);
  if (!exp.empty() && exp.front() == '+') exp.remove_prefix(1);
  std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  if (negative) out += '-';
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1, std::string::npos);
    }
    out += exponent < 0 ? "E-" : "E+";
    const int a = exponent < 0 ? -exponent : exponent;
    if (a < 10) out += '0';
    out += whole(a);
    return;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
    return;
  }
  const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= intDigits) {
    out += digits;
    out.append(intDigits - digits.size(), '0');
  } else {
    out.append(digits, 0, intDigits);
    out += '.';
    out.append(digits, intDigits, std::string::npos);
  }
}

std::string SF_FileText::whole(long long value) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

std::string_view SF_FileText::bandLabel(int band) {
  if (band < 2 || band > 50) return {};
  return kBandLabels[static_cast<std::size_t>(band - 2)];
}

std::string_view SF_FileText::trim(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string SF_FileText::upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::optional<double> SF_FileText::toDouble(std::string_view text) {
  text = trim(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<long long> SF_FileText::toWhole(std::string_view text) {
  text = trim(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) return std::nullopt;
  }
  const std::size_t point = text.find('.');
  if (point != std::string_view::npos) {
    for (std::size_t i = point + 1; i < text.size(); ++i)
      if (text[i] != '0') return std::nullopt;
    text = text.substr(0, point);
  }
  if (text.empty()) return std::nullopt;
  long long value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::int16_t> SF_FileText::toInt16(std::string_view text) {
  const auto v = toWhole(text);
  if (!v || *v < -32768 || *v > 32767) return std::nullopt;
  return static_cast<std::int16_t>(*v);
}

std::optional<double> SF_FileText::leadingNumber(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (r.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string_view SF_FileText::columns(std::string_view line, std::size_t first, std::size_t last) {
  if (first < 1 || first > line.size() || last < first) return {};
  return line.substr(first - 1, last - first + 1);
}

SF_DataMessage SF_FileText::writeLines(const std::string& sFileName, std::vector<std::string> lines) {
  SF_DataASCII file;
  file.Lines(std::move(lines));
  return file.writeLines(sFileName) == SF_DATA_OK ? SF_DATA_OK : SF_DATA_FILE_ERROR;
}
