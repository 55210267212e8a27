#include "criteria/cCriteriaFile.h"

#include <array>
#include <exception>
#include <optional>
#include <string_view>

#include "SF_DataASCII.h"
#include "SF_FilePrompt.h"
#include "base/mProgramFileLimit.h"
#include "criteria/cEquationRecord.h"
#include "criteria/cNoiseLimits.h"
#include "base/mProgramDirectory.h"
#include "study/IMessageService.h"
#include "study/mFormat.h"
#include "study/mParseField.h"

namespace {

constexpr const char* kTitle = "Vornhall - Version 1.0";
constexpr const char* kFileKind = "Noise Limit Criteria";
constexpr const char* kReadProblem = "Problem reading Noise Limit Criteria file.";

struct Section {
  const char* heading;
  std::int32_t tableCode;
};
// The file keeps L10 before Leq.
constexpr std::array<Section, 3> kSections{{{"Lmax...", 0}, {"L10...", 2}, {"Leq...", 1}}};
constexpr std::int16_t kRows = 3;
constexpr std::int16_t kCols = 6;
constexpr std::size_t kCellsPerSection = kRows * kCols;

std::string cellLine(const cEquationRecord& eq) {
  switch (eq.equationType) {
    case 0: return "Exempt";
    case 1: return "N/A";
    case 2: return "Value," + numberText(eq.value);
    case 3: return "Maximum," + numberText(eq.maxCompare) + "," + numberText(eq.basePlus);
    case 4: return "Baseline+," + numberText(eq.basePlus);
    case 5:
      return "Conditional," + numberText(eq.condLessThan) + "," + numberText(eq.condThenPlus) + "," +
             numberText(eq.condElsePlus);
    default: return "Null";  // not set; also anything a later version might add
  }
}

// What one cell line asks for, parsed before any table is touched.
struct CellEdit {
  enum class Kind { Keep, Null, Text, Value, Maximum, BaselinePlus, Conditional };
  Kind kind = Kind::Keep;
  std::string text;
  std::array<float, 3> number{};
};

std::optional<CellEdit> parseCell(const SF_FieldTable& lines, std::size_t line) {
  CellEdit edit;
  const std::size_t fields = lines.fieldCount(line);
  const std::string_view key = fields > 0 ? lines.field(line, 0) : std::string_view{};
  std::size_t needed = 0;
  if (key == "Null") {
    edit.kind = CellEdit::Kind::Null;
  } else if (key == "Exempt" || key == "N/A") {
    edit.kind = CellEdit::Kind::Text;
    edit.text = std::string(key);
  } else if (key == "Value") {
    edit.kind = CellEdit::Kind::Value;
    needed = 1;
  } else if (key == "Maximum") {
    edit.kind = CellEdit::Kind::Maximum;
    needed = 2;
  } else if (key == "Baseline+") {
    edit.kind = CellEdit::Kind::BaselinePlus;
    needed = 1;
  } else if (key == "Conditional") {
    edit.kind = CellEdit::Kind::Conditional;
    needed = 3;
  }
  // Any other keyword leaves its cell as it is.
  if (fields < needed + 1) return std::nullopt;
  for (std::size_t i = 0; i < needed; ++i) {
    const auto value = parseFloatField(lines.field(line, i + 1));
    if (!value) return std::nullopt;
    edit.number[i] = *value;
  }
  return edit;
}

void applyCell(const CellEdit& edit, cEquationRecord& eq) {
  switch (edit.kind) {
    case CellEdit::Kind::Keep: break;
    case CellEdit::Kind::Null: eq.equationType = -1; break;  // the stored text stays
    case CellEdit::Kind::Text: eq.setValueText(edit.text); break;
    case CellEdit::Kind::Value:
      eq.setValueText("Value");
      eq.value = edit.number[0];
      break;
    case CellEdit::Kind::Maximum:
      eq.setValueText("Maximum");
      eq.maxCompare = edit.number[0];
      eq.basePlus = edit.number[1];
      break;
    case CellEdit::Kind::BaselinePlus:
      eq.setValueText("Baseline+");
      eq.basePlus = edit.number[0];
      break;
    case CellEdit::Kind::Conditional:
      eq.setValueText("Conditional");
      eq.condLessThan = edit.number[0];
      eq.condThenPlus = edit.number[1];
      eq.condElsePlus = edit.number[2];
      break;
  }
}

bool firstFieldIs(const SF_FieldTable& lines, std::size_t line, std::string_view text) {
  return line < lines.size() && lines.fieldCount(line) > 0 && lines.field(line, 0) == text;
}

}  // namespace

cCriteriaFile::cCriteriaFile(cNoiseLimits& limits) : limits_(limits) {}

void cCriteriaFile::buildOutput(std::vector<std::string>& lines) const {
  for (const Section& section : kSections) {
    lines.emplace_back(section.heading);
    for (std::int16_t row = 1; row <= kRows; ++row)
      for (std::int16_t col = 1; col <= kCols; ++col) {
        const auto eq = limits_.getCriteria(section.tableCode, row, col);
        lines.push_back(eq ? cellLine(*eq) : std::string("Null"));
      }
  }
}

bool cCriteriaFile::buildInput(std::int32_t& index, const SF_FieldTable& lines) {
  if (index < 0 || static_cast<std::size_t>(index) + blockLines > lines.size()) return false;
  std::array<CellEdit, kSections.size() * kCellsPerSection> edits;
  // Line number n (from 1) is record n - 1; the block starts at index + 1.
  std::size_t record = static_cast<std::size_t>(index);
  std::size_t cell = 0;
  for (std::size_t s = 0; s < kSections.size(); ++s) {
    ++record;  // the section line: its text is not examined
    for (std::size_t i = 0; i < kCellsPerSection; ++i) {
      const auto edit = parseCell(lines, record++);
      if (!edit) return false;
      edits[cell++] = *edit;
    }
  }
  cell = 0;
  for (const Section& section : kSections)
    for (std::int16_t row = 1; row <= kRows; ++row)
      for (std::int16_t col = 1; col <= kCols; ++col) {
        const auto eq = limits_.getCriteria(section.tableCode, row, col);
        if (eq) applyCell(edits[cell], *eq);
        ++cell;
      }
  index += static_cast<std::int32_t>(blockLines);
  return true;
}

SF_DataMessage cCriteriaFile::writeFile(const std::string& path) const try {
  std::vector<std::string> lines{kTitle, kFileKind};
  buildOutput(lines);
  SF_DataASCII file;
  file.Lines(std::move(lines));
  return file.writeLines(path) == SF_DATA_FILE_ERROR ? SF_DATA_FILE_ERROR : SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory: the file on disk is as it was
}

bool cCriteriaFile::readFile(const std::string& path) try {
  SF_DataASCII file;
  file.MaxFileBytes(kProgramFileMaxBytes);
  if (file.readFields(path) == SF_DATA_FILE_ERROR) return false;
  const SF_FieldTable& lines = file.Fields();
  if (lines.size() != fileLines || !firstFieldIs(lines, 0, kTitle) || !firstFieldIs(lines, 1, kFileKind))
    return false;
  std::int32_t index = 2;
  return buildInput(index, lines);
} catch (const std::exception&) {
  return false;  // out of memory while reading
}

bool cCriteriaFile::openFile(SF_FilePrompt& prompt, IMessageService& messages) {
  prompt.OpenMode(SF_READ);
  prompt.FilePrompt("Noise Limit Criteria File");
  prompt.FileSuffix("cri");
  if (prompt.getFile() != SF_FILE_OK) return false;
  if (!readFile(prompt.Directory() + prompt.FileName(1))) {
    messages.show(kReadProblem, "VORN", MessageIcon::Critical);
    return false;
  }
  return true;
}

bool cCriteriaFile::saveFile(SF_FilePrompt& prompt, IMessageService& messages) const {
  prompt.OpenMode(SF_WRITE);
  prompt.FilePrompt("Noise Limit Criteria File");
  prompt.FileSuffix("cri");
  if (prompt.getFile() != SF_FILE_OK) return false;
  const std::string path = prompt.Directory() + prompt.FileName(1);
  if (writeFile(path) == SF_DATA_FILE_ERROR) {
    messages.show("Problem writing Criteria File", "VORN", MessageIcon::Critical);
    return false;
  }
  messages.show(path + " saved.", "File saved...", MessageIcon::Information);
  return true;
}

bool cCriteriaFile::loadDefault(const std::string& programDir, IMessageService& messages) {
  if (messages.show("Load Criteria from the default file?", "VORN", MessageIcon::Information,
                    MessageButtons::YesNo, MessageAnswer::Yes) == MessageAnswer::No)
    return false;
  if (!readFile(programDir + kDefaultCriteriaName)) {
    messages.show(kReadProblem, "VORN", MessageIcon::Critical);
    return false;
  }
  return true;
}
