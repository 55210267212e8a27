#include "SF_DataSTH.h"

#include <exception>

#include "SF_DataASCII.h"
#include "SF_DataError.h"
#include "SF_FileInfo.h"
#include "SF_FileText.h"
#include "SF_HeaderCursor.h"

namespace {

constexpr std::string_view kFileType = "Spectral Time-History";
constexpr int kTitleLowBand = 17;
constexpr int kTitleHighBand = 40;

std::string keyword(std::string_view key, std::string_view value) {
  std::string line;
  line.reserve(key.size() + value.size());
  line += key;
  line += value;
  return line;
}

std::string columnTitles() {
  std::string line = "Rec#,TOD,RelTime";
  for (int b = kTitleLowBand; b <= kTitleHighBand; ++b) {
    line += ',';
    line += SF_FileText::bandLabel(b);
  }
  return line;
}

std::string dataLine(std::int16_t record, const SF_Spectrum& spectrum) {
  std::string line;
  line.reserve(24 + 8 * static_cast<std::size_t>(std::max(0, spectrum.HighBand() - spectrum.LowBand() + 1)));
  line += SF_FileText::whole(record);
  line += ',';
  const auto time = spectrum.Time();
  line += time->TODstring();
  line += ',';
  // RelSeconds is a double: written in full so that a time a fraction of a
  // second from a reference hours away keeps its digits.
  SF_FileText::appendShortestDouble(line, time->RelSeconds());
  for (int b = spectrum.LowBand(); b <= spectrum.HighBand(); ++b) {
    line += ',';
    SF_FileText::appendLevel(line, spectrum.SPL(static_cast<std::int16_t>(b)));
  }
  return line;
}

}  // namespace

SF_DataMessage SF_DataSTH::writeFile(const std::string& sFileName, const std::shared_ptr<SF_HeaderSTH>& sfHeader,
                                     const SF_SpectralTimeHistory& sfTimeHistory) try {
  if (!sfHeader) return SF_DATA_FILE_ERROR;
  header_ = sfHeader;
  SF_HeaderSTH& h = *sfHeader;
  h.sFileName = sFileName;
  const SF_FileInfo& info = SF_FileInfo::shared();

  std::vector<std::string> lines;
  try {
    const std::int16_t lo = sfTimeHistory.LoRec();
    const std::int16_t hi = sfTimeHistory.HiRec();
    if (sfTimeHistory.Count() == 0 || hi < lo) return SF_DATA_FILE_ERROR;
    const auto first = sfTimeHistory.spectrum(lo);
    lines.reserve(21 + h.cOtherRecords.size() + h.cCommentLines.size() + static_cast<std::size_t>(hi - lo + 1));
    lines.push_back(keyword("FileType**,", kFileType));
    lines.push_back(keyword("FileName**,", info.fileName(sFileName)));
    lines.push_back(keyword("FileDateTime**,", info.nowDateTime()));
    lines.push_back(keyword("ProjectName**,", h.sProjectName));
    lines.push_back(keyword("MicrophoneID**,", h.sMicrophoneID));
    lines.push_back(keyword("AveragingMethod**,", sfTimeHistory.sAveragingMethod()));
    lines.push_back(keyword("TimeStampType**,", sfTimeHistory.sTimeStampType()));
    lines.push_back(keyword("AdjustmentCode**,", h.sAdjustmentCode));
    lines.push_back(keyword("StartTime**,", sfTimeHistory.startTime()->TODstring()));
    lines.push_back(keyword("ReferenceTime**,", sfTimeHistory.ReferenceTime()->TODstring()));
    lines.push_back(keyword("ReferenceTimeType**,", sfTimeHistory.sReferenceTimeType()));
    lines.push_back(keyword("NumberOfSpectrum**,", SF_FileText::whole(sfTimeHistory.Count())));
    lines.push_back(keyword("RecordNumbers**,", SF_FileText::whole(lo) + "," + SF_FileText::whole(hi)));
    lines.push_back(
        keyword("Bands**,", SF_FileText::whole(first->LowBand()) + ", " + SF_FileText::whole(first->HighBand())));
    lines.push_back(keyword("GeneratedBy**,", h.sGeneratedBy));
    lines.push_back(keyword("GenerationFile**,", info.fileName(h.sGenerationFile)));
    lines.push_back(keyword("GenerationFileDateTime**,", info.fileDateTime(h.sGenerationFile)));
    lines.push_back(keyword("OtherRecords**,", SF_FileText::whole(static_cast<long long>(h.cOtherRecords.size()))));
    lines.insert(lines.end(), h.cOtherRecords.begin(), h.cOtherRecords.end());
    lines.push_back(
        keyword("NumberOfCommentLines**,", SF_FileText::whole(static_cast<long long>(h.cCommentLines.size()))));
    lines.insert(lines.end(), h.cCommentLines.begin(), h.cCommentLines.end());
    lines.push_back(columnTitles());
    for (int r = lo; r <= hi; ++r) {
      const auto rec = static_cast<std::int16_t>(r);
      lines.push_back(dataLine(rec, *sfTimeHistory.spectrum(rec)));
    }
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  return SF_FileText::writeLines(sFileName, std::move(lines));
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}

bool SF_DataSTH::getRawHeader(const std::string& sFileName, std::vector<std::string>& colHeader) try {
  SF_DataASCII file;
  if (file.readLines(sFileName) != SF_DATA_OK) return false;
  const auto& lines = file.Lines();
  const std::string_view first = lines.front();
  const std::size_t comma = first.find(',');
  const std::string_view type = comma == std::string_view::npos ? std::string_view() : first.substr(comma + 1);
  if (SF_FileText::trim(type) != kFileType) return false;
  std::vector<std::string> header;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].compare(0, 4, "Rec#") == 0) {
      if (i + 1 == lines.size()) return false;
      break;
    }
    header.push_back(lines[i]);
  }
  colHeader = std::move(header);
  return true;
} catch (const std::exception&) {
  return false;  // out of memory fails the operation, never the caller
}

SF_DataMessage SF_DataSTH::readFile(const std::string& sFileName, std::shared_ptr<SF_HeaderSTH>& sfHeader,
                                    std::shared_ptr<SF_SpectralTimeHistory>& STH) try {
  SF_DataASCII file;
  if (file.readLines(sFileName) != SF_DATA_OK) return SF_DATA_FILE_ERROR;
  const std::vector<std::string>& lines = file.Lines();

  auto header = std::make_shared<SF_HeaderSTH>();
  auto history = std::make_shared<SF_SpectralTimeHistory>();
  std::int16_t bandLow = 0, bandHigh = 0;
  try {
    SF_HeaderCursor cursor(lines);
    std::string v;
    std::vector<std::string> parts;
    if (!cursor.value(v) || v != kFileType) return SF_DATA_FILE_ERROR;
    if (!cursor.value(header->sFileName)) return SF_DATA_FILE_ERROR;
    if (!cursor.dateTime(*header->sfFileDateTime)) return SF_DATA_FILE_ERROR;
    if (!cursor.value(header->sProjectName) || !cursor.value(header->sMicrophoneID)) return SF_DATA_FILE_ERROR;
    if (!cursor.value(v)) return SF_DATA_FILE_ERROR;
    history->sAveragingMethod(SF_FileText::upper(v));
    if (!cursor.value(v)) return SF_DATA_FILE_ERROR;
    history->sTimeStampType(SF_FileText::upper(v));
    if (!cursor.value(header->sAdjustmentCode)) return SF_DATA_FILE_ERROR;
    if (!cursor.value(v) || !SF_HeaderCursor::setTimeOfDay(v, *history->startTime())) return SF_DATA_FILE_ERROR;
    if (!cursor.value(v) || !SF_HeaderCursor::setTimeOfDay(v, *history->ReferenceTime())) return SF_DATA_FILE_ERROR;
    if (!cursor.value(v)) return SF_DATA_FILE_ERROR;
    history->sReferenceTimeType(SF_FileText::upper(v));
    if (!cursor.value(v)) return SF_DATA_FILE_ERROR;  // the number of spectra follows from the data lines
    if (!cursor.parts(parts, 2)) return SF_DATA_FILE_ERROR;
    const auto loRec = SF_FileText::toInt16(parts[0]);
    const auto hiRec = SF_FileText::toInt16(parts[1]);
    if (!cursor.parts(parts, 2)) return SF_DATA_FILE_ERROR;
    const auto lowBand = SF_FileText::toInt16(parts[0]);
    const auto highBand = SF_FileText::toInt16(parts[1]);
    if (!loRec || !hiRec || !lowBand || !highBand) return SF_DATA_FILE_ERROR;
    bandLow = *lowBand;
    bandHigh = *highBand;
    if (!cursor.value(header->sGeneratedBy) || !cursor.value(header->sGenerationFile)) return SF_DATA_FILE_ERROR;
    if (!cursor.dateTime(*header->sfGenerationDateTime)) return SF_DATA_FILE_ERROR;
    std::size_t n = 0, m = 0;
    if (!cursor.count(n) || !cursor.freeLines(n, header->cOtherRecords)) return SF_DATA_FILE_ERROR;
    if (!cursor.count(m) || !cursor.freeLines(m, header->cCommentLines)) return SF_DATA_FILE_ERROR;
    if (!cursor.skip()) return SF_DATA_FILE_ERROR;  // column titles

    history->LoRec(*loRec);
    history->HiRec(*hiRec);
    const long bands = bandHigh >= bandLow ? static_cast<long>(bandHigh) - bandLow + 1 : 0;
    const std::size_t needed = 3 + static_cast<std::size_t>(bands);
    SF_DataASCII splitter;
    splitter.Delimiter(",");
    SF_FieldTable fields;
    for (std::size_t i = cursor.position(); i < lines.size(); ++i) {
      if (SF_FileText::trim(lines[i]).empty()) continue;
      fields.clear();
      splitter.splitLine(lines[i], fields);
      if (fields.fieldCount(0) < needed) return SF_DATA_FILE_ERROR;
      const auto record = SF_FileText::toInt16(fields.field(0, 0));
      const auto rel = SF_FileText::toDouble(fields.field(0, 2));
      if (!record || !rel) return SF_DATA_FILE_ERROR;
      auto spectrum = std::make_shared<SF_Spectrum>();
      if (!SF_HeaderCursor::setTimeOfDay(fields.field(0, 1), *spectrum->Time())) return SF_DATA_FILE_ERROR;
      spectrum->Time()->RelSeconds(static_cast<float>(*rel));
      if (bands > 0) spectrum->reserveBands(bandLow, bandHigh);
      for (long k = 0; k < bands; ++k) {
        const auto level = SF_FileText::toDouble(fields.field(0, 3 + static_cast<std::size_t>(k)));
        if (!level) return SF_DATA_FILE_ERROR;
        spectrum->SPL(static_cast<std::int16_t>(bandLow + k), *level);
      }
      history->spectrum(*record, std::move(spectrum));
    }
    // Every record the ranges announce must be there, or later walks over them fail.
    const std::int16_t lo = history->LoRec(), hi = history->HiRec();
    if (history->Count() > 0 && history->Count() != hi - lo + 1) return SF_DATA_FILE_ERROR;
    if (history->Count() == 0 && (*loRec != 9999 || *hiRec != -1) && *hiRec >= *loRec) return SF_DATA_FILE_ERROR;
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  header_ = header;
  bandLow_ = bandLow;
  bandHigh_ = bandHigh;
  sfHeader = std::move(header);
  STH = std::move(history);
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}
