#include "SF_DataTSPI.h"

#include <exception>

#include "SF_DataASCII.h"
#include "SF_DataError.h"
#include "SF_FileText.h"
#include "SF_HeaderCursor.h"

namespace {
constexpr std::size_t kHeaderLines = 6;
constexpr std::size_t kFieldsNeeded = 11;
constexpr std::int32_t kMostPositions = 32767;
}  // namespace

SF_DataMessage SF_DataTSPI::readFile(const std::string& sFileName, std::shared_ptr<SF_PositionTimeHistory>& PTH) try {
  SF_DataASCII file;
  if (file.readLines(sFileName) != SF_DATA_OK) return SF_DATA_FILE_ERROR;
  const auto& lines = file.Lines();
  badPositions_ = 0;
  auto history = std::make_shared<SF_PositionTimeHistory>();
  SF_DataASCII splitter;
  splitter.Delimiter(",");
  SF_FieldTable fields;
  std::int32_t number = 0;
  std::int32_t bad = 0;
  try {
    for (std::size_t i = kHeaderLines; i < lines.size(); ++i) {
      if (SF_FileText::trim(lines[i]).empty()) continue;
      fields.clear();
      splitter.splitLine(lines[i], fields);
      const auto quality = SF_FileText::toWhole(fields.fieldCount(0) > 1 ? fields.field(0, 1) : std::string_view());
      if (!quality) return SF_DATA_FILE_ERROR;
      // A poor fix is dropped whatever its other fields hold.
      if (*quality > rt20Limit_) {
        ++bad;
        continue;
      }
      if (fields.fieldCount(0) < kFieldsNeeded || number == kMostPositions) return SF_DATA_FILE_ERROR;
      const auto x = SF_FileText::toDouble(fields.field(0, 8));
      const auto y = SF_FileText::toDouble(fields.field(0, 9));
      const auto z = SF_FileText::toDouble(fields.field(0, 10));
      auto position = std::make_shared<SF_Position>();
      if (!x || !y || !z || !SF_HeaderCursor::setTimeOfDay(fields.field(0, 0), *position->Time()))
        return SF_DATA_FILE_ERROR;
      position->X(*x);
      position->Y(*y);
      position->Z(*z);
      history->Position(++number, std::move(position));
    }
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  badPositions_ = bad;
  PTH = std::move(history);
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}
