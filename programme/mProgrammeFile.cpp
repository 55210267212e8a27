#include "programme/mProgrammeFile.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "SF_DataASCII.h"
#include "base/mProgramFileLimit.h"
#include "programme/cProgramme.h"
#include "study/mFormat.h"
#include "study/mParseField.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCriteriaTag = "Criteria:,";
constexpr std::string_view kCaseTag = "Case:,";

fs::path pathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string textOf(const std::u8string& s) { return std::string(s.begin(), s.end()); }

std::string metricText(std::int32_t metric) {
  return metric == 1 ? "Leq" : metric == 2 ? "L10" : "First Phase";
}

std::optional<std::int32_t> metricCode(std::string_view text) {
  if (text == "Leq") return 1;
  if (text == "L10") return 2;
  if (text == "First Phase") return 0;
  return std::nullopt;
}

const char* flag(bool b) { return b ? "1" : "0"; }

// The rest of a line after its tag, or nothing when the line has another tag.
std::optional<std::string> afterTag(const std::string& line, std::string_view tag) {
  if (line.compare(0, tag.size(), tag) != 0) return std::nullopt;
  return line.substr(tag.size());
}

class ProgrammeReader {
public:
  ProgrammeReader(const std::vector<std::string>& lines, const std::string& directory)
      : lines_(lines), directory_(directory) {
    splitter_.CommentFields(true);
  }

  bool read(cProgramme& out) {
    if (lines_.size() < 6 || lines_[0] != mProgrammeFile::title) return false;
    out.description = fields(1).size() > 0 ? std::string(fields(1).field(0, 0)) : std::string();
    const SF_FieldTable metric = fields(2);
    if (metric.fieldCount(0) < 2 || metric.field(0, 0) != "Metric") return false;
    const auto code = metricCode(metric.field(0, 1));
    if (!code) return false;
    out.noiseMetric = *code;
    const auto criteria = afterTag(lines_[3], kCriteriaTag);
    if (!criteria) return false;
    out.criteriaPath = criteria->empty() ? std::string() : mProgrammeFile::resolvePath(directory_, *criteria);
    if (lines_[4] != "Phases...") return false;
    std::size_t line = 5;
    while (line < lines_.size() && lines_[line] != "End...") {
      cProgrammePhase phase;
      if (line + 1 >= lines_.size() || !readPhase(line, phase)) return false;
      const auto path = afterTag(lines_[line + 1], kCaseTag);
      if (!path || path->empty()) return false;
      phase.casePath = mProgrammeFile::resolvePath(directory_, *path);
      out.phases.push_back(std::move(phase));
      line += 2;
    }
    return line < lines_.size();  // a file that ends before "End..." was cut short
  }

private:
  SF_FieldTable fields(std::size_t line) const {
    SF_FieldTable table;
    splitter_.splitLine(lines_[line], table);
    return table;
  }

  bool readPhase(std::size_t line, cProgrammePhase& phase) const {
    const SF_FieldTable f = fields(line);
    if (f.fieldCount(0) < 7 || f.field(0, 0) != "Phase:") return false;
    const auto first = parseIntField(f.field(0, 2), cProgrammePhase::firstWeekAllowed, cProgrammePhase::lastWeekAllowed);
    const auto last = parseIntField(f.field(0, 3), cProgrammePhase::firstWeekAllowed, cProgrammePhase::lastWeekAllowed);
    if (!first || !last || !cProgrammePhase::validWeeks(*first, *last)) return false;
    phase.name = std::string(f.field(0, 1));
    phase.firstWeek = *first;
    phase.lastWeek = *last;
    for (std::size_t p = 0; p < 3; ++p) {
      const std::string_view v = f.field(0, 4 + p);
      if (v != "1" && v != "0") return false;
      phase.periods[p] = v == "1";
    }
    return true;
  }

  const std::vector<std::string>& lines_;
  const std::string& directory_;
  SF_DataASCII splitter_;
};

}  // namespace

namespace mProgrammeFile {

std::string directoryOf(const std::string& path) { return textOf(pathOf(path).parent_path().u8string()); }

std::string resolvePath(const std::string& directory, const std::string& path) {
  fs::path p = pathOf(path);
  if (!p.is_absolute()) p = pathOf(directory) / p;
  return textOf(p.lexically_normal().make_preferred().u8string());
}

std::string relativePath(const std::string& directory, const std::string& path) {
  const fs::path target = pathOf(path).lexically_normal();
  const fs::path base = pathOf(directory).lexically_normal();
  if (directory.empty() || !target.is_absolute() || target.root_name() != base.root_name())
    return textOf(target.generic_u8string());
  const fs::path rel = target.lexically_relative(base);
  return textOf((rel.empty() ? target : rel).generic_u8string());
}

std::vector<std::string> buildLines(const cProgramme& programme, const std::string& programmePath) {
  std::error_code ec;
  const fs::path full = fs::absolute(pathOf(programmePath), ec);
  const std::string directory = ec ? directoryOf(programmePath) : textOf(full.parent_path().u8string());
  std::vector<std::string> lines{title, quoteField(storableText(programme.description)),
                                 "Metric," + metricText(programme.noiseMetric)};
  lines.push_back(std::string(kCriteriaTag) +
                  (programme.criteriaPath.empty() ? std::string() : relativePath(directory, programme.criteriaPath)));
  lines.emplace_back("Phases...");
  for (const auto& p : programme.phases) {
    lines.push_back("Phase:," + quoteField(storableText(p.name)) + "," + std::to_string(p.firstWeek) + "," +
                    std::to_string(p.lastWeek) + "," + flag(p.periods[0]) + "," + flag(p.periods[1]) + "," +
                    flag(p.periods[2]));
    lines.push_back(std::string(kCaseTag) + relativePath(directory, p.casePath));
  }
  lines.emplace_back("End...");
  return lines;
}

SF_DataMessage write(const cProgramme& programme, const std::string& path) try {
  SF_DataASCII file;
  file.Lines(buildLines(programme, path));
  return file.writeLines(path) == SF_DATA_FILE_ERROR ? SF_DATA_FILE_ERROR : SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory: the file on disk is as it was
}

bool read(const std::string& path, cProgramme& programme) try {
  SF_DataASCII file;
  file.MaxFileBytes(kProgramFileMaxBytes);
  if (file.readLines(path) == SF_DATA_FILE_ERROR) return false;
  std::error_code ec;
  const fs::path full = fs::absolute(pathOf(path), ec);
  const std::string directory = ec ? directoryOf(path) : textOf(full.parent_path().u8string());
  cProgramme read;
  if (!ProgrammeReader(file.Lines(), directory).read(read)) return false;
  programme = std::move(read);
  return true;
} catch (const std::exception&) {
  return false;
}

}  // namespace mProgrammeFile
