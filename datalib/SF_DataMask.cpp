#include "SF_DataMask.h"

#include <exception>
#include <vector>

#include "SF_DataASCII.h"
#include "SF_DataError.h"
#include "SF_FileInfo.h"
#include "SF_FileText.h"
#include "SF_HeaderCursor.h"

namespace {
constexpr std::string_view kFileType = "Masking Map";
}

SF_DataMessage SF_DataMask::writeFile(const std::string& sFileName, const std::shared_ptr<SF_HeaderMask>& sfHeader,
                                      const SF_MaskMap& sfMaskMap) try {
  if (!sfHeader) return SF_DATA_FILE_ERROR;
  SF_HeaderMask& h = *sfHeader;
  h.sFileName = sFileName;
  const SF_FileInfo& info = SF_FileInfo::shared();
  std::vector<std::string> lines;
  try {
    const long count = sfMaskMap.Count();
    if (count < 1 || count > 32767) return SF_DATA_FILE_ERROR;
    h.lNumberRows = static_cast<std::int32_t>(count);
    const auto first = sfMaskMap.Row(1);
    h.iBandLow = first->LowBand();
    h.iBandHigh = first->HighBand();
    lines.push_back(std::string("FileType**,") + std::string(kFileType));
    lines.push_back("FileName**," + info.fileName(h.sFileName));
    lines.push_back("FileDateTime**," + info.nowDateTime());
    lines.push_back("NumberOfRows**," + SF_FileText::whole(h.lNumberRows));
    lines.push_back("Bands**," + SF_FileText::whole(h.iBandLow) + ", " + SF_FileText::whole(h.iBandHigh));
    lines.push_back("GeneratedBy**," + h.sGeneratedBy);
    lines.push_back("GenerationFile**," + info.fileName(h.sGenerationFile));
    lines.push_back("GenerationFileDateTime**," + info.fileDateTime(h.sGenerationFile));
    lines.push_back("OtherRecords**," + SF_FileText::whole(static_cast<long long>(h.cOtherRecords.size())));
    lines.insert(lines.end(), h.cOtherRecords.begin(), h.cOtherRecords.end());
    lines.push_back("NumberOfCommentLines**," + SF_FileText::whole(static_cast<long long>(h.cCommentLines.size())));
    lines.insert(lines.end(), h.cCommentLines.begin(), h.cCommentLines.end());
    std::string titles = "Rec#";
    for (int b = h.iBandLow; b <= h.iBandHigh; ++b) {
      titles += ',';
      titles += SF_FileText::bandLabel(b);
    }
    titles += ",LGB";
    lines.push_back(std::move(titles));
    for (int i = 1; i <= count; ++i) {
      const auto row = sfMaskMap.Row(static_cast<std::int16_t>(i));
      std::string line = SF_FileText::whole(i);
      for (int b = row->LowBand(); b <= row->HighBand(); ++b) {
        line += ',';
        line += row->Mask(static_cast<std::int16_t>(b))->MaskString();
      }
      line += ',';
      line += SF_FileText::whole(row->LGB());
      lines.push_back(std::move(line));
    }
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  return SF_FileText::writeLines(sFileName, std::move(lines));
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}

SF_DataMessage SF_DataMask::readFile(const std::string& sFileName, std::shared_ptr<SF_HeaderMask>& sfHeader,
                                     std::shared_ptr<SF_MaskMap>& MaskMap) try {
  SF_DataASCII file;
  if (file.readLines(sFileName) != SF_DATA_OK) return SF_DATA_FILE_ERROR;
  const auto& lines = file.Lines();
  auto header = std::make_shared<SF_HeaderMask>();
  auto map = std::make_shared<SF_MaskMap>();
  try {
    SF_HeaderCursor cursor(lines);
    std::string v;
    std::vector<std::string> parts;
    if (!cursor.value(header->sFileType) || header->sFileType != kFileType) return SF_DATA_FILE_ERROR;
    if (!cursor.value(header->sFileName) || !cursor.dateTime(*header->sfFileDateTime)) return SF_DATA_FILE_ERROR;
    if (!cursor.value(v)) return SF_DATA_FILE_ERROR;
    const auto rows = SF_FileText::toWhole(v);
    if (!rows || *rows < INT32_MIN || *rows > INT32_MAX) return SF_DATA_FILE_ERROR;
    header->lNumberRows = static_cast<std::int32_t>(*rows);
    if (!cursor.parts(parts, 2)) return SF_DATA_FILE_ERROR;
    const auto low = SF_FileText::toInt16(parts[0]);
    const auto high = SF_FileText::toInt16(parts[1]);
    if (!low || !high) return SF_DATA_FILE_ERROR;
    header->iBandLow = *low;
    header->iBandHigh = *high;
    if (!cursor.value(header->sGeneratedBy) || !cursor.value(header->sGenerationFile)) return SF_DATA_FILE_ERROR;
    if (!cursor.dateTime(*header->sfGenerationDateTime)) return SF_DATA_FILE_ERROR;
    std::size_t n = 0, m = 0;
    if (!cursor.count(n) || n > 32767 || !cursor.freeLines(n, header->cOtherRecords)) return SF_DATA_FILE_ERROR;
    if (!cursor.count(m) || m > 32767 || !cursor.freeLines(m, header->cCommentLines)) return SF_DATA_FILE_ERROR;
    header->nOtherRecords = static_cast<std::int16_t>(n);
    header->nCommentLines = static_cast<std::int16_t>(m);
    if (cursor.remaining() == 0) return SF_DATA_FILE_ERROR;
    header->sColumnLabels = lines[cursor.position()];
    cursor.skip();

    const long bands = *high >= *low ? static_cast<long>(*high) - *low + 1 : 0;
    const std::size_t needed = 2 + static_cast<std::size_t>(bands);
    SF_DataASCII splitter;
    splitter.Delimiter(",");
    SF_FieldTable fields;
    for (std::size_t i = cursor.position(); i < lines.size(); ++i) {
      if (SF_FileText::trim(lines[i]).empty()) continue;
      fields.clear();
      splitter.splitLine(lines[i], fields);
      if (fields.fieldCount(0) < needed) return SF_DATA_FILE_ERROR;
      const auto record = SF_FileText::toInt16(fields.field(0, 0));
      const auto lgb = SF_FileText::toInt16(fields.field(0, needed - 1));
      if (!record || !lgb) return SF_DATA_FILE_ERROR;
      auto row = std::make_shared<SF_MaskRow>();
      for (long k = 0; k < bands; ++k) {
        auto cell = std::make_shared<SF_Mask>();
        cell->MaskString(SF_FileText::trim(fields.field(0, 1 + static_cast<std::size_t>(k))));
        row->Mask(static_cast<std::int16_t>(*low + k), std::move(cell));
      }
      row->LGB(*lgb);
      map->Row(*record, std::move(row));
    }
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  sfHeader = std::move(header);
  MaskMap = std::move(map);
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}
