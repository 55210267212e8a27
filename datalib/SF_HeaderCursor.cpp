#include "SF_HeaderCursor.h"

#include <optional>

#include "SF_FileInfo.h"
#include "SF_FileText.h"
#include "SF_Time.h"

SF_HeaderCursor::SF_HeaderCursor(const std::vector<std::string>& lines) : lines_(lines) {
  splitter_.Delimiter("**");
}

bool SF_HeaderCursor::valueOf(std::string_view line, std::string& out) const {
  SF_FieldTable fields;
  splitter_.splitLine(line, fields);
  if (fields.fieldCount(0) < 2) return false;
  std::string_view v = fields.field(0, 1);
  if (!v.empty()) v.remove_prefix(1);
  out.assign(SF_FileText::trim(v));
  return true;
}

bool SF_HeaderCursor::value(std::string& out) {
  if (remaining() == 0) return false;
  return valueOf(lines_[next_++], out);
}

bool SF_HeaderCursor::parts(std::vector<std::string>& out, std::size_t minParts) {
  std::string v;
  if (!value(v)) return false;
  out.clear();
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = v.find(',', from);
    out.emplace_back(SF_FileText::trim(std::string_view(v).substr(from, comma - from)));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  return out.size() >= minParts;
}

bool SF_HeaderCursor::count(std::size_t& out) {
  std::string v;
  if (!value(v)) return false;
  const auto n = SF_FileText::toWhole(v);
  if (!n || *n < 0 || static_cast<unsigned long long>(*n) > remaining()) return false;
  out = static_cast<std::size_t>(*n);
  return true;
}

bool SF_HeaderCursor::freeLines(std::size_t n, std::vector<std::string>& out) {
  if (n > remaining()) return false;
  out.clear();
  out.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    scratch_.clear();
    splitter_.splitLine(lines_[next_++], scratch_);
    out.emplace_back(scratch_.fieldCount(0) > 0 ? scratch_.field(0, 0) : std::string_view());
  }
  return true;
}

bool SF_HeaderCursor::setDateTime(std::string_view datePart, std::string_view timePart, SF_Time& time) {
  datePart = SF_FileText::trim(datePart);
  timePart = SF_FileText::trim(timePart);
  std::optional<double> day, seconds;
  if (!datePart.empty() && !(day = SF_FileInfo::parseDate(datePart))) return false;
  if (!timePart.empty() && !(seconds = SF_FileInfo::parseTime(timePart))) return false;
  if (day) time.CurrentDate(*day);
  if (seconds) time.TODseconds(static_cast<double>(static_cast<long>(*seconds)));
  return true;
}

bool SF_HeaderCursor::setTimeOfDay(std::string_view text, SF_Time& time) {
  if (!SF_FileInfo::parseTime(text)) return false;
  time.TODstring(SF_FileText::trim(text));
  return true;
}

bool SF_HeaderCursor::dateTime(SF_Time& time) {
  std::vector<std::string> p;
  if (!parts(p, 1)) return false;
  return setDateTime(p[0], p.size() > 1 ? std::string_view(p[1]) : std::string_view(), time);
}

bool SF_HeaderCursor::skip() {
  if (remaining() == 0) return false;
  ++next_;
  return true;
}
