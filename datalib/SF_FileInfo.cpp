#include "SF_FileInfo.h"

#include <cctype>
#include <charconv>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "SF_LocalTime.h"
#include "platform/SF_FileAccess.h"

namespace {

// Days from 1 January 1970 of a proleptic Gregorian date.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

const long long kSerialEpoch = daysFromCivil(1899, 12, 30);

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && leapYear(y) ? 29 : days[m - 1];
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// Reads an unsigned whole number of 1 to maxDigits digits at the front of s.
std::optional<int> takeDigits(std::string_view& s, std::size_t maxDigits) {
  std::size_t n = 0;
  while (n < s.size() && n < maxDigits && std::isdigit(static_cast<unsigned char>(s[n]))) ++n;
  if (n == 0 || (n < s.size() && std::isdigit(static_cast<unsigned char>(s[n])))) return std::nullopt;
  int value = 0;
  std::from_chars(s.data(), s.data() + n, value);
  s.remove_prefix(n);
  return value;
}

bool takeChar(std::string_view& s, char c) {
  if (s.empty() || s.front() != c) return false;
  s.remove_prefix(1);
  return true;
}

void twoDigits(std::string& out, int v) {
  out += static_cast<char>('0' + (v / 10) % 10);
  out += static_cast<char>('0' + v % 10);
}

SF_FileInfo::DateTime fromSystemTime(std::chrono::system_clock::time_point tp) {
  const std::time_t t = std::chrono::system_clock::to_time_t(tp);
  std::tm local{};
  SF_LocalTime(t, local);
  SF_FileInfo::DateTime dt;
  dt.year = local.tm_year + 1900;
  dt.month = local.tm_mon + 1;
  dt.day = local.tm_mday;
  dt.hour = local.tm_hour;
  dt.minute = local.tm_min;
  dt.second = local.tm_sec > 59 ? 59 : local.tm_sec;
  return dt;
}

}  // namespace

SF_FileInfo& SF_FileInfo::shared() {
  static SF_FileInfo instance;
  return instance;
}

std::string SF_FileInfo::fileName(const std::string& path) const {
  return SF_FileAccess::nameOf(SF_FileAccess::pathOf(path).filename());
}

std::string SF_FileInfo::fileDateTime(const std::string& path) const {
  if (path.empty()) return {};
  std::error_code ec;
  const std::filesystem::path file = SF_FileAccess::pathOf(path);
  if (!std::filesystem::is_regular_file(file, ec)) return {};
  const auto written = std::filesystem::last_write_time(file, ec);
  if (ec) return {};
  const auto sys = std::chrono::file_clock::to_sys(written);
  return dateTimeText(fromSystemTime(std::chrono::time_point_cast<std::chrono::system_clock::duration>(sys)));
}

std::string SF_FileInfo::nowDateTime() const { return dateTimeText(now()); }

void SF_FileInfo::setClock(std::function<DateTime()> clock) { clock_ = std::move(clock); }

SF_FileInfo::DateTime SF_FileInfo::now() const {
  if (clock_) return clock_();
  return fromSystemTime(std::chrono::system_clock::now());
}

std::string SF_FileInfo::dateText(const DateTime& when) {
  std::string out;
  twoDigits(out, when.month);
  out += '/';
  twoDigits(out, when.day);
  out += '/';
  char year[8];
  const auto r = std::to_chars(year, year + sizeof year, when.year);
  const std::size_t len = static_cast<std::size_t>(r.ptr - year);
  out.append(len < 4 ? 4 - len : 0, '0');
  out.append(year, r.ptr);
  return out;
}

std::string SF_FileInfo::timeText(const DateTime& when) {
  std::string out;
  twoDigits(out, when.hour);
  out += ':';
  twoDigits(out, when.minute);
  out += ':';
  twoDigits(out, when.second);
  return out;
}

std::string SF_FileInfo::dateTimeText(const DateTime& when) { return dateText(when) + "," + timeText(when); }

double SF_FileInfo::daySerial(int year, int month, int day) {
  return static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kSerialEpoch);
}

SF_FileInfo::DateTime SF_FileInfo::fromDaySerial(double serial) {
  // Civil date from days since 1970 (inverse of daysFromCivil).
  long long z = static_cast<long long>(serial < 0 ? serial - 0.999999999 : serial) + kSerialEpoch + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  DateTime dt;
  dt.year = static_cast<int>(y + (m <= 2));
  dt.month = static_cast<int>(m);
  dt.day = static_cast<int>(d);
  return dt;
}

std::optional<double> SF_FileInfo::parseDate(std::string_view text) {
  std::string_view s = trimBlanks(text);
  int year = 0, month = 0, day = 0;
  std::string_view probe = s;
  auto first = takeDigits(probe, 4);
  if (!first) return std::nullopt;
  if (!probe.empty() && probe.front() == '-') {
    if (s.size() - probe.size() != 4) return std::nullopt;
    probe.remove_prefix(1);
    const auto m = takeDigits(probe, 2);
    if (!m || !takeChar(probe, '-')) return std::nullopt;
    const auto d = takeDigits(probe, 2);
    if (!d || !probe.empty()) return std::nullopt;
    year = *first;
    month = *m;
    day = *d;
  } else {
    if (s.size() - probe.size() > 2 || !takeChar(probe, '/')) return std::nullopt;
    const auto d = takeDigits(probe, 2);
    if (!d || !takeChar(probe, '/')) return std::nullopt;
    const std::size_t before = probe.size();
    const auto y = takeDigits(probe, 4);
    if (!y || !probe.empty()) return std::nullopt;
    const std::size_t yearDigits = before - probe.size();
    if (yearDigits == 2)
      year = *y < 30 ? 2000 + *y : 1900 + *y;
    else if (yearDigits == 4)
      year = *y;
    else
      return std::nullopt;
    month = *first;
    day = *d;
  }
  if (year < 100 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return std::nullopt;
  return daySerial(year, month, day);
}

std::optional<double> SF_FileInfo::parseTime(std::string_view text) {
  std::string_view s = trimBlanks(text);
  int half = 0;  // 1 for AM, 2 for PM
  if (s.size() >= 2) {
    const char a = static_cast<char>(std::toupper(static_cast<unsigned char>(s[s.size() - 2])));
    const char b = static_cast<char>(std::toupper(static_cast<unsigned char>(s.back())));
    if (b == 'M' && (a == 'A' || a == 'P')) {
      half = a == 'A' ? 1 : 2;
      s = trimBlanks(s.substr(0, s.size() - 2));
    }
  }
  const auto h = takeDigits(s, 2);
  if (!h || !takeChar(s, ':')) return std::nullopt;
  const auto m = takeDigits(s, 2);
  if (!m || *m > 59) return std::nullopt;
  double seconds = 0;
  if (takeChar(s, ':')) {
    const char* end = s.data() + s.size();
    if (s.empty() || !std::isdigit(static_cast<unsigned char>(s.front()))) return std::nullopt;
    const auto r = std::from_chars(s.data(), end, seconds, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != end || seconds >= 60) return std::nullopt;
  } else if (!s.empty()) {
    return std::nullopt;
  }
  int hour = *h;
  if (half != 0) {
    if (hour < 1 || hour > 12) return std::nullopt;
    if (half == 2 && hour < 12) hour += 12;
    if (half == 1 && hour == 12) hour = 0;
  } else if (hour > 23) {
    return std::nullopt;
  }
  return hour * 3600.0 + *m * 60.0 + seconds;
}
