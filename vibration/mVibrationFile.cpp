#include "vibration/mVibrationFile.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "SF_DataASCII.h"
#include "base/mProgramFileLimit.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mParseField.h"
#include "vibration/cVibrationSettings.h"
#include "vibration/mVibrationCriteria.h"
#include "vibration/mVibrationTable.h"

namespace {

constexpr std::string_view kTitle = "VORN Vibration - Version 1.0";
constexpr const char* kDefault = "Default";
constexpr const char* kNone = "None";
constexpr const char* kFormatRecord = "Format";

std::string shortest(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::optional<double> parseDouble(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double v = 0.0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v)) return {};
  return v;
}

std::filesystem::path fsPath(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

class Reader {
public:
  explicit Reader(const SF_FieldTable& lines) : lines_(lines) {}

  bool read(cVibrationSettings& out) {
    if (lines_.size() < 2 || field(0, 0) != kTitle) return false;
    if (field(1, 0) != "Exponent") return false;
    const auto n = parseDouble(field(1, 1));
    if (!n || !out.setExponent(*n)) return false;
    for (std::size_t line = 2; line < lines_.size(); ++line) {
      const std::string_view tag = field(line, 0);
      if (tag == "Receptor:" && !readReceptor(line, out)) return false;
      if (tag == "Mapping:" && !readMapping(line, out)) return false;
    }
    return true;
  }

private:
  std::string_view field(std::size_t line, std::size_t i) const {
    return i < lines_.fieldCount(line) ? lines_.field(line, i) : std::string_view();
  }

  bool readReceptor(std::size_t line, cVibrationSettings& out) const {
    if (lines_.fieldCount(line) < 5) return false;
    cVibrationSettings::ReceptorEntry e;
    const auto id = parseIntField(field(line, 1), 1, 32767);
    const auto category = parseIntField(field(line, 3), 1, static_cast<std::int32_t>(mVibrationCriteria::categoryCount));
    if (!id || !category) return false;
    e.receptorID = *id;
    e.description = std::string(field(line, 2));
    e.category = *category;
    if (field(line, 4) != kDefault) {
      const auto limit = parseDouble(field(line, 4));
      if (!limit || !(*limit > 0.0)) return false;
      e.annoyanceLimit = *limit;
    }
    out.addReceptorEntry(std::move(e));
    return true;
  }

  bool readMapping(std::size_t line, cVibrationSettings& out) const {
    if (lines_.fieldCount(line) < 3 || field(line, 1).empty()) return false;
    const std::string rowName(field(line, 2));
    const int row = rowName == kNone ? cVibrationMapping::noSource : mVibrationTable::find(rowName);
    if (row == cVibrationMapping::noSource && rowName != kNone) return false;
    out.mapping.set(std::string(field(line, 1)), row);
    return true;
  }

  const SF_FieldTable& lines_;
};

// The settings as the file's records, fields unquoted.
std::vector<std::vector<std::string>> buildRecords(const cVibrationSettings& settings, const cStudy& study) {
  std::vector<std::vector<std::string>> records{{std::string(kTitle)}, {"Exponent", shortest(settings.exponent())}};
  for (const auto& e : settings.entriesFor(study)) {
    records.push_back({"Receptor:", std::to_string(e.receptorID), e.description, std::to_string(e.category),
                       e.annoyanceLimit ? shortest(*e.annoyanceLimit) : kDefault});
  }
  for (const auto& m : settings.mapping.userEntries()) {
    const std::string row = m.row == cVibrationMapping::noSource ? kNone : mVibrationTable::row(m.row).name;
    records.push_back({"Mapping:", m.description, row});
  }
  return records;
}

}  // namespace

namespace mVibrationFile {

std::string pathBeside(const std::string& caseDirectory, const std::string& caseFileName) {
  std::string name = caseFileName;
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return caseDirectory + name + "." + suffix;
}

ReadStatus read(const std::string& path, cVibrationSettings& settings) {
  std::error_code ec;
  if (!std::filesystem::exists(fsPath(path), ec) && !ec) return ReadStatus::missing;
  SF_DataASCII file;
  file.MaxFileBytes(kProgramFileMaxBytes);
  file.CommentFields(true);
  if (file.readFields(path) != SF_DATA_OK) return ReadStatus::unreadable;
  cVibrationSettings fresh;
  if (!Reader(file.Fields()).read(fresh)) return ReadStatus::unreadable;
  settings = std::move(fresh);
  return ReadStatus::read;
}

std::vector<std::string> buildLines(const cVibrationSettings& settings, const cStudy& study) {
  std::vector<std::string> lines;
  for (const auto& record : buildRecords(settings, study)) {
    std::string line;
    for (std::size_t i = 0; i < record.size(); ++i) line += (i ? "," : "") + quoteField(record[i]);
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<TableRow> buildTableRows(const cVibrationSettings& settings, const cStudy& study) {
  std::vector<TableRow> rows;
  for (const auto& r : buildRecords(settings, study)) {
    if (r.size() == 1) rows.push_back({kFormatRecord, "", "", r[0], ""});
    else if (r[0] == "Exponent") rows.push_back({r[0], "", "", r[1], ""});
    else if (r[0] == "Receptor:") rows.push_back({r[0], r[1], r[2], r[3], r[4]});
    else rows.push_back({r[0], "", r[1], r[2], ""});
  }
  return rows;
}

bool readTableRows(const std::vector<TableRow>& rows, cVibrationSettings& settings) try {
  SF_FieldTable records;
  for (const TableRow& r : rows) {
    if (r[0] == kFormatRecord) records.addRecord({r[3]});
    else if (r[0] == "Exponent") records.addRecord({r[0], r[3]});
    else if (r[0] == "Receptor:") records.addRecord({r[0], r[1], r[2], r[3], r[4]});
    else if (r[0] == "Mapping:") records.addRecord({r[0], r[2], r[3]});
    else records.addRecord({r[0]});  // a later version's record: skipped, as in the file
  }
  cVibrationSettings fresh;
  if (!Reader(records).read(fresh)) return false;
  settings = std::move(fresh);
  return true;
} catch (const std::exception&) {
  return false;
}

SF_DataMessage write(const std::string& path, const cVibrationSettings& settings, const cStudy& study) try {
  SF_DataASCII file;
  file.Lines(buildLines(settings, study));
  return file.writeLines(path);
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;
}

bool worthWriting(const std::string& path, const cVibrationSettings& settings) {
  if (!settings.isDefault()) return true;
  std::error_code ec;
  return std::filesystem::exists(fsPath(path), ec) || ec;
}

}  // namespace mVibrationFile
