#include "SF_Periods.h"

#include <charconv>
#include <cmath>

#include "SF_FileText.h"

namespace {

constexpr double kDay = 86400.0;

// "HH:MM" or "HH:MM:SS", hours 0 to 24 (24 only as 24:00).
bool parseClock(std::string_view text, double& seconds) {
  text = SF_FileText::trim(text);
  int parts[3] = {0, 0, 0};
  int n = 0;
  while (n < 3) {
    const std::size_t colon = text.find(':');
    const std::string_view piece = text.substr(0, colon);
    if (piece.empty() || piece.size() > 2) return false;
    const auto r = std::from_chars(piece.data(), piece.data() + piece.size(), parts[n]);
    if (r.ec != std::errc() || r.ptr != piece.data() + piece.size()) return false;
    ++n;
    if (colon == std::string_view::npos) break;
    text.remove_prefix(colon + 1);
  }
  if (n < 2 || parts[1] > 59 || parts[2] > 59 || parts[0] > 24) return false;
  if (parts[0] == 24 && (parts[1] != 0 || parts[2] != 0)) return false;
  seconds = parts[0] * 3600.0 + parts[1] * 60.0 + parts[2];
  return true;
}

std::string twoDigits(long v) { return (v < 10 ? "0" : "") + std::to_string(v); }

}  // namespace

SF_Periods SF_Periods::Default() {
  SF_Periods p;
  p.add("Day", 7 * 3600.0, 19 * 3600.0);
  p.add("Evening", 19 * 3600.0, 22 * 3600.0);
  p.add("Night", 22 * 3600.0, 7 * 3600.0);
  return p;
}

SF_Periods SF_Periods::WholeRun() {
  SF_Periods p;
  p.periods_.push_back(SF_Period{"Whole", 0.0, 0.0, true});
  return p;
}

void SF_Periods::add(std::string name, double start, double end) {
  start = std::fmod(start, kDay);
  end = std::fmod(end, kDay);
  periods_.push_back(SF_Period{std::move(name), start, end, false});
}

bool SF_Periods::Parse(std::string_view text, SF_Periods& periods, std::string& error) {
  const std::string word = SF_FileText::upper(SF_FileText::trim(text));
  if (word == "DEFAULT") {
    periods = Default();
    return true;
  }
  if (word == "WHOLE") {
    periods = WholeRun();
    return true;
  }
  SF_Periods parsed;
  std::string_view rest = text;
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = SF_FileText::trim(rest.substr(0, comma));
    const std::size_t equals = item.find('=');
    const std::size_t dash = item.find('-', equals == std::string_view::npos ? 0 : equals);
    if (equals == std::string_view::npos || dash == std::string_view::npos) {
      error = "a period must read NAME=HH:MM-HH:MM, not \"" + std::string(item) + "\"";
      return false;
    }
    const std::string name(SF_FileText::trim(item.substr(0, equals)));
    double start = 0, end = 0;
    if (name.empty()) {
      error = "a period needs a name before \"=\": \"" + std::string(item) + "\"";
      return false;
    }
    if (!parseClock(item.substr(equals + 1, dash - equals - 1), start) || !parseClock(item.substr(dash + 1), end)) {
      error = "the times of period " + name + " must read HH:MM-HH:MM between 00:00 and 24:00";
      return false;
    }
    for (const auto& p : parsed.periods_)
      if (p.name == name) {
        error = "period " + name + " is given twice";
        return false;
      }
    parsed.add(name, start, end);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  periods = std::move(parsed);
  return true;
}

bool SF_Periods::Contains(std::size_t i, double timeOfDay) const {
  const SF_Period& p = periods_.at(i);
  if (p.wholeRun || p.start == p.end) return true;
  const double t = timeOfDay - kDay * std::floor(timeOfDay / kDay);
  if (p.start < p.end) return t >= p.start && t < p.end;
  return t >= p.start || t < p.end;  // across midnight
}

std::string SF_Periods::ClockText(double seconds) {
  const long s = std::lround(seconds);
  std::string text = twoDigits(s / 3600) + ":" + twoDigits(s % 3600 / 60);
  if (s % 60 != 0) text += ":" + twoDigits(s % 60);
  return text;
}
