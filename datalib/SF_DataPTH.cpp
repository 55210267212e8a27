#include "SF_DataPTH.h"

#include <exception>
#include <vector>

#include "SF_DataASCII.h"
#include "SF_DataError.h"
#include "SF_FileInfo.h"
#include "SF_FileText.h"
#include "SF_HeaderCursor.h"

namespace {
constexpr std::string_view kFileType = "Position Time-History";
constexpr long kMostPositions = 32767;
}  // namespace

SF_DataMessage SF_DataPTH::writeFile(const std::string& sFileName, const std::shared_ptr<SF_HeaderPTH>& sfHeader,
                                     const SF_PositionTimeHistory& sfTimeHistory) try {
  if (!sfHeader) return SF_DATA_FILE_ERROR;
  SF_HeaderPTH& h = *sfHeader;
  h.sFileName = sFileName;
  const SF_FileInfo& info = SF_FileInfo::shared();
  std::vector<std::string> lines;
  try {
    const int count = sfTimeHistory.Count();
    h.lNumberRecords = count;
    lines.push_back(std::string("FileType**,") + std::string(kFileType));
    lines.push_back("FileName**," + info.fileName(h.sFileName));
    lines.push_back("FileDateTime**," + info.nowDateTime());
    lines.push_back("ProjectName**, " + h.sProjectName);
    lines.push_back("GeneratedBy**," + h.sGeneratedBy);
    lines.push_back("TSPIFileName**," + info.fileName(h.sTSPIFileName));
    lines.push_back("TSPIFileDateTime**," + info.fileDateTime(h.sTSPIFileName));
    lines.push_back("NumberRecords**," + SF_FileText::whole(h.lNumberRecords));
    lines.push_back("OtherRecords**," + SF_FileText::whole(static_cast<long long>(h.cOtherRecords.size())));
    lines.insert(lines.end(), h.cOtherRecords.begin(), h.cOtherRecords.end());
    lines.push_back("NumberOfCommentLines**," + SF_FileText::whole(static_cast<long long>(h.cCommentLines.size())));
    lines.insert(lines.end(), h.cCommentLines.begin(), h.cCommentLines.end());
    lines.push_back("TOD,X,Y,Z");
    for (int i = 1; i <= count; ++i) {
      const auto p = sfTimeHistory.Position(i);
      std::string line = p->Time()->TODstring();
      line += ',';
      SF_FileText::appendShortestDouble(line, p->X());
      line += ',';
      SF_FileText::appendShortestDouble(line, p->Y());
      line += ',';
      SF_FileText::appendShortestDouble(line, p->Z());
      lines.push_back(std::move(line));
    }
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  return SF_FileText::writeLines(sFileName, std::move(lines));
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}

SF_DataMessage SF_DataPTH::readFile(const std::string& sFileName, std::shared_ptr<SF_HeaderPTH>& sfHeader,
                                    std::shared_ptr<SF_PositionTimeHistory>& PTH) try {
  SF_DataASCII file;
  if (file.readLines(sFileName) != SF_DATA_OK) return SF_DATA_FILE_ERROR;
  const auto& lines = file.Lines();
  auto header = std::make_shared<SF_HeaderPTH>();
  auto history = std::make_shared<SF_PositionTimeHistory>();
  try {
    SF_HeaderCursor cursor(lines);
    std::string v;
    if (!cursor.value(header->sFileType) || header->sFileType != kFileType) return SF_DATA_FILE_ERROR;
    if (!cursor.value(header->sFileName) || !cursor.dateTime(*header->sfFileDateTime)) return SF_DATA_FILE_ERROR;
    if (!cursor.value(header->sProjectName) || !cursor.value(header->sGeneratedBy)) return SF_DATA_FILE_ERROR;
    if (!cursor.value(header->sTSPIFileName) || !cursor.value(header->sTSPIFileDateTime)) return SF_DATA_FILE_ERROR;
    if (!cursor.value(v)) return SF_DATA_FILE_ERROR;
    const auto records = SF_FileText::toWhole(v);
    if (!records || *records < INT32_MIN || *records > INT32_MAX) return SF_DATA_FILE_ERROR;
    header->lNumberRecords = static_cast<std::int32_t>(*records);
    std::size_t n = 0, m = 0;
    if (!cursor.count(n) || n > kMostPositions || !cursor.freeLines(n, header->cOtherRecords)) return SF_DATA_FILE_ERROR;
    if (!cursor.count(m) || m > kMostPositions || !cursor.freeLines(m, header->cCommentLines)) return SF_DATA_FILE_ERROR;
    header->nOtherRecords = static_cast<std::int16_t>(n);
    header->nCommentLines = static_cast<std::int16_t>(m);
    if (!cursor.skip()) return SF_DATA_FILE_ERROR;

    SF_DataASCII splitter;
    splitter.Delimiter(",");
    SF_FieldTable fields;
    std::int32_t number = 0;
    for (std::size_t i = cursor.position(); i < lines.size(); ++i) {
      if (SF_FileText::trim(lines[i]).empty()) continue;
      fields.clear();
      splitter.splitLine(lines[i], fields);
      if (fields.fieldCount(0) < 4 || number == kMostPositions) return SF_DATA_FILE_ERROR;
      auto position = std::make_shared<SF_Position>();
      const auto x = SF_FileText::toDouble(fields.field(0, 1));
      const auto y = SF_FileText::toDouble(fields.field(0, 2));
      const auto z = SF_FileText::toDouble(fields.field(0, 3));
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
  sfHeader = std::move(header);
  PTH = std::move(history);
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}
