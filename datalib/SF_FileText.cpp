#include "SF_FileText.h"

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
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
  if (r.ec != std::errc()) {
    appendShortest(out, value);
    return;
  }
  std::string_view text(buf, static_cast<std::size_t>(r.ptr - buf));
  bool negative = false;
  if (text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.size() > 1 && text.front() == '0') text.remove_prefix(1);  // "0.50" -> ".50"
  // A value that rounds to zero is written without a sign.
  if (negative && text != ".00") out += '-';
  out += text;
}

std::string SF_FileText::level(double value) {
  std::string out;
  appendLevel(out, value);
  return out;
}

void SF_FileText::appendShortest(std::string& out, double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(value));
  out.append(buf, r.ptr);
}

std::string SF_FileText::shortest(double value) {
  std::string out;
  appendShortest(out, value);
  return out;
}

void SF_FileText::appendShortestDouble(std::string& out, double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

std::string SF_FileText::shortestDouble(double value) {
  std::string out;
  appendShortestDouble(out, value);
  return out;
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
