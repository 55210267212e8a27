#include "SF_Time.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "SF_DataError.h"

namespace {

constexpr double kDay = 86400.0;

// The leading number of a text the way time texts are read: blanks first, a
// sign, digits with an optional fraction and exponent; anything after it is
// ignored, and a text without a number reads as 0.
double leadingNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  const std::size_t start = i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t digitsStart = i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
  }
  if (i == digitsStart || (i == digitsStart + 1 && s[digitsStart] == '.')) return 0.0;
  std::size_t end = i;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t expDigits = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
    if (j > expDigits) end = j;
  }
  std::size_t from = start;
  bool negative = false;
  if (s[from] == '+' || s[from] == '-') {
    negative = s[from] == '-';
    ++from;
  }
  double v = 0.0;
  const auto r = std::from_chars(s.data() + from, s.data() + end, v);
  if (r.ec != std::errc()) v = r.ec == std::errc::result_out_of_range ? HUGE_VAL : 0.0;
  return negative ? -v : v;
}

bool containsNoCase(std::string_view text, std::string_view upperWord) {
  if (text.size() < upperWord.size()) return false;
  for (std::size_t i = 0; i + upperWord.size() <= text.size(); ++i) {
    bool match = true;
    for (std::size_t k = 0; k < upperWord.size() && match; ++k) {
      char c = text[i + k];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      match = c == upperWord[k];
    }
    if (match) return true;
  }
  return false;
}

// The decimal text of a single-precision value to at most 7 significant
// digits in plain (never exponent) form, without trailing zeros.
std::string sevenDigitText(float value) {
  if (value == 0.0f || !std::isfinite(value)) return "0";
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::scientific, 6);
  const std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
  const bool negative = sci[0] == '-';
  const std::size_t e = sci.find('e');
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < e; ++i)
    if (sci[i] != '.') digits += sci[i];
  const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = negative ? "-" : "";
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    return out + digits;
  }
  const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= intDigits) {
    out += digits;
    out.append(intDigits - digits.size(), '0');
    return out;
  }
  return out + digits.substr(0, intDigits) + "." + digits.substr(intDigits);
}

void appendTwoDigits(std::string& out, long v) {
  out += static_cast<char>('0' + v / 10);
  out += static_cast<char>('0' + v % 10);
}

// Days from 1 March of year 0 (proleptic Gregorian); Hinnant's civil-day count.
long daysFromCivil(long y, long m, long d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civilFromDays(long z, long& y, long& m, long& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = yoe + era * 400 + (m <= 2);
}

const long kZeroDay = daysFromCivil(1899, 12, 30);

// The calendar day of a date serial: its whole part (a fraction of a day
// before the zero date still belongs to the day named by the whole part).
double calendarDay(double date) { return std::trunc(date); }

bool allDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::shared_ptr<SF_Time> SF_Time::Copy() const {
  auto t = std::make_shared<SF_Time>();
  t->currentDate_ = currentDate_;
  t->relSeconds_ = relSeconds_;
  t->todSeconds_ = todSeconds_;
  t->mode_ = mode_;
  return t;
}

void SF_Time::setRelTime(const SF_Time& ref) {
  const double days = std::nearbyint(calendarDay(ref.currentDate_) - calendarDay(currentDate_));
  if (days != 0.0)
    relSeconds_ = todSeconds_ - (ref.todSeconds_ + kDay * days);
  else
    relSeconds_ = todSeconds_ - ref.todSeconds_;
}

void SF_Time::TODnumbers(double hours, double minutes, double seconds) {
  const double h = SF_ToSingle(hours);
  const double m = SF_ToSingle(minutes);
  const double s = SF_ToSingle(seconds);
  TODseconds(h * 3600.0 + m * 60.0 + s);
}

void SF_Time::TODseconds(double value) {
  if (value > kDay) {
    const double whole = std::floor(value);
    todSeconds_ = std::fmod(whole, kDay) + (value - whole);
    currentDate_ += 1.0;
  } else {
    todSeconds_ = value;
  }
}

std::string SF_Time::TODstring() const {
  // Out of the single range the clock part reads 00:00:00 rather than failing.
  const float t = std::fabs(todSeconds_) < 3.4e38 ? static_cast<float>(todSeconds_) : 0.0f;
  const double td = t;
  const double h = std::floor(td / 3600.0);
  const double m = std::floor((td - 3600.0 * h) / 60.0);
  const double s = std::floor(td - (60.0 * m + 3600.0 * h));
  // Hours, minutes and seconds are formed into a clock time, which wraps at a day.
  double total = std::fmod(h * 3600.0 + m * 60.0 + s, kDay);
  if (total < 0) total += kDay;
  if (!std::isfinite(total)) total = 0;
  const long secs = static_cast<long>(total);
  std::string out;
  out.reserve(16);
  appendTwoDigits(out, secs / 3600);
  out += ':';
  appendTwoDigits(out, secs / 60 % 60);
  out += ':';
  appendTwoDigits(out, secs % 60);
  const std::string text = sevenDigitText(t);
  const std::size_t point = text.find('.');
  if (point != std::string::npos) out.append(text, point, std::string::npos);
  return out;
}

void SF_Time::TODstring(std::string_view text) {
  const std::size_t first = text.find(':');
  const std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
  if (second == std::string_view::npos)
    throw SF_DataError(SF_DataError::BadTimeText, "not a time of day: " + std::string(text));
  float hours = SF_ToSingle(leadingNumber(text.substr(0, first)));
  const float minutes = SF_ToSingle(leadingNumber(text.substr(first + 1, second - first - 1)));
  const float seconds = SF_ToSingle(leadingNumber(text.substr(second + 1)));
  if (containsNoCase(text, "PM") && hours < 12.0f) hours += 12.0f;
  if (containsNoCase(text, "AM") && hours == 12.0f) hours = 0.0f;
  TODseconds(static_cast<double>(minutes) * 60.0 + static_cast<double>(hours) * 3600.0 + static_cast<double>(seconds));
}

double SF_Time::DateSerial(int year, int month, int day) {
  return static_cast<double>(daysFromCivil(year, month, day) - kZeroDay);
}

bool SF_Time::DateFromText(std::string_view text, double& date) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  const std::size_t a = text.find('/');
  if (a == std::string_view::npos) return false;
  const std::size_t b = text.find('/', a + 1);
  if (b == std::string_view::npos) return false;
  const std::string_view ms = text.substr(0, a), ds = text.substr(a + 1, b - a - 1), ys = text.substr(b + 1);
  if (!allDigits(ms) || !allDigits(ds) || !allDigits(ys) || ms.size() > 2 || ds.size() > 2) return false;
  if (ys.size() != 2 && ys.size() != 4) return false;
  const int month = std::atoi(std::string(ms).c_str());
  const int day = std::atoi(std::string(ds).c_str());
  int year = std::atoi(std::string(ys).c_str());
  if (ys.size() == 2) year += year < 30 ? 2000 : 1900;
  if (month < 1 || month > 12 || day < 1) return false;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int maxDay = month == 2 && leap ? 29 : kDays[month - 1];
  if (day > maxDay) return false;
  date = DateSerial(year, month, day);
  return true;
}

std::string SF_Time::DateText(double date) {
  double day = calendarDay(date);
  if (!std::isfinite(day)) day = 0;
  long y = 0, m = 0, d = 0;
  civilFromDays(static_cast<long>(day) + kZeroDay, y, m, d);
  std::string out;
  appendTwoDigits(out, m);
  out += '/';
  appendTwoDigits(out, d);
  out += '/';
  std::string ys = std::to_string(y < 0 ? -y : y);
  if (ys.size() < 4) ys.insert(0, 4 - ys.size(), '0');
  if (y < 0) out += '-';
  return out + ys;
}
