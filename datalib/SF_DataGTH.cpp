#include "SF_DataGTH.h"

#include <exception>
#include <vector>

#include "SF_DataASCII.h"
#include "SF_DataError.h"
#include "SF_FileInfo.h"
#include "SF_FileText.h"
#include "SF_HeaderCursor.h"

namespace {

constexpr std::string_view kFileType = "Geometric Time-History";
constexpr std::size_t kFieldsRead = 10;

// A source file's date and time: the file's own when the text names one;
// a "date,time" text read from an earlier file is kept as it is.
std::string sourceDateTime(const std::string& text) {
  const std::string fromFile = SF_FileInfo::shared().fileDateTime(text);
  if (!fromFile.empty()) return fromFile;
  const std::size_t comma = text.find(',');
  if (comma != std::string::npos && SF_FileInfo::parseDate(std::string_view(text).substr(0, comma)) &&
      SF_FileInfo::parseTime(std::string_view(text).substr(comma + 1)))
    return text;
  return {};
}

void appendField(std::string& line, double value, bool single = false) {
  line += ',';
  if (single)
    SF_FileText::appendShortest(line, value);
  else
    SF_FileText::appendShortestDouble(line, value);
}

}  // namespace

SF_DataMessage SF_DataGTH::writeFile(const std::string& sFileName, const std::shared_ptr<SF_HeaderGTH>& sfHeader,
                                     const SF_GeometryTimeHistory& sfTimeHistory) try {
  if (!sfHeader) return SF_DATA_FILE_ERROR;
  SF_HeaderGTH& h = *sfHeader;
  h.GTHFileName = sFileName;
  const SF_FileInfo& info = SF_FileInfo::shared();
  std::vector<std::string> lines;
  try {
    const auto& mic = *h.MicrophonePosition;
    lines.push_back(std::string("FileType**,") + std::string(kFileType));
    lines.push_back("FileName**," + info.fileName(h.GTHFileName));
    lines.push_back("FileDateTime**," + info.nowDateTime());
    lines.push_back("ProjectName**," + h.ProjectName);
    lines.push_back("GeneratedBy**," + h.GeneratedBy);
    lines.push_back("MicrophoneID**," + h.MicrophoneID);
    lines.push_back("MicrophonePosition**," + SF_FileText::shortestDouble(mic.X()) + "," +
                    SF_FileText::shortestDouble(mic.Y()) + "," + SF_FileText::shortestDouble(mic.Z()));
    lines.push_back("PromptTemperature**," + SF_FileText::shortest(h.Temperature));
    lines.push_back("STHFileName**," + info.fileName(h.STHFileName));
    lines.push_back("STHFileDateTime**," + sourceDateTime(h.STHFileDateTime));
    lines.push_back("PTHFileName**," + info.fileName(h.PTHFileName));
    lines.push_back("PTHDateTime**," + sourceDateTime(h.PTHFileDateTime));
    lines.push_back("MICFileName**," + info.fileName(h.MICFileName));
    lines.push_back("MICDateTime**," + sourceDateTime(h.MICFileDateTime));
    lines.push_back("NumberRecords**," + SF_FileText::whole(h.NumberRecords));
    lines.push_back("OtherRecords**," + SF_FileText::whole(static_cast<long long>(h.colOtherRecords.size())));
    lines.insert(lines.end(), h.colOtherRecords.begin(), h.colOtherRecords.end());
    lines.push_back("NumberOfCommentLines**," + SF_FileText::whole(static_cast<long long>(h.colCommentLines.size())));
    lines.insert(lines.end(), h.colCommentLines.begin(), h.colCommentLines.end());
    lines.push_back("REC#, Tm, Te, Tprope, Xe, Ye, Ze, SRe, THETAe, BETAe");
    const int count = sfTimeHistory.Count();
    for (int i = 1; i <= count; ++i) {
      const auto g = sfTimeHistory.Point(i);
      const auto pe = g->Pe();
      std::string line = SF_FileText::whole(i);
      line += ',';
      line += g->Tm()->TODstring();
      line += ',';
      line += g->Te()->TODstring();
      appendField(line, g->Tprope());
      appendField(line, pe->X());
      appendField(line, pe->Y());
      appendField(line, pe->Z());
      appendField(line, g->SRe());
      appendField(line, g->THETAe(), true);
      appendField(line, g->BETAe(), true);
      appendField(line, g->debugTime());
      lines.push_back(std::move(line));
    }
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  return SF_FileText::writeLines(sFileName, std::move(lines));
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}

SF_DataMessage SF_DataGTH::readFile(const std::string& sFileName, std::shared_ptr<SF_HeaderGTH>& sfHeader,
                                    std::shared_ptr<SF_GeometryTimeHistory>& GTH) try {
  SF_DataASCII file;
  if (file.readLines(sFileName) != SF_DATA_OK) return SF_DATA_FILE_ERROR;
  const auto& lines = file.Lines();
  auto header = std::make_shared<SF_HeaderGTH>();
  auto history = std::make_shared<SF_GeometryTimeHistory>();
  try {
    SF_HeaderCursor cursor(lines);
    std::string v;
    std::vector<std::string> parts;
    if (!cursor.value(header->FileType) || header->FileType != kFileType) return SF_DATA_FILE_ERROR;
    if (!cursor.value(header->GTHFileName) || !cursor.dateTime(*header->GTHFileDateTime)) return SF_DATA_FILE_ERROR;
    if (!cursor.value(header->ProjectName) || !cursor.value(header->GeneratedBy)) return SF_DATA_FILE_ERROR;
    if (!cursor.value(header->MicrophoneID) || !cursor.parts(parts, 3)) return SF_DATA_FILE_ERROR;
    const auto mx = SF_FileText::toDouble(parts[0]);
    const auto my = SF_FileText::toDouble(parts[1]);
    const auto mz = SF_FileText::toDouble(parts[2]);
    if (!mx || !my || !mz) return SF_DATA_FILE_ERROR;
    header->MicrophonePosition->X(*mx);
    header->MicrophonePosition->Y(*my);
    header->MicrophonePosition->Z(*mz);
    if (!cursor.value(v)) return SF_DATA_FILE_ERROR;
    const auto temperature = SF_FileText::toDouble(v);
    if (!temperature) return SF_DATA_FILE_ERROR;
    header->Temperature = SF_ToSingle(*temperature);
    for (std::string* s : {&header->STHFileName, &header->STHFileDateTime, &header->PTHFileName,
                           &header->PTHFileDateTime, &header->MICFileName, &header->MICFileDateTime})
      if (!cursor.value(*s)) return SF_DATA_FILE_ERROR;
    if (!cursor.value(v)) return SF_DATA_FILE_ERROR;
    const auto records = SF_FileText::toWhole(v);
    if (!records || *records < INT32_MIN || *records > INT32_MAX) return SF_DATA_FILE_ERROR;
    header->NumberRecords = static_cast<std::int32_t>(*records);
    std::size_t n = 0, m = 0;
    if (!cursor.count(n) || n > 32767 || !cursor.freeLines(n, header->colOtherRecords)) return SF_DATA_FILE_ERROR;
    if (!cursor.count(m) || m > 32767 || !cursor.freeLines(m, header->colCommentLines)) return SF_DATA_FILE_ERROR;
    header->OtherRecords = static_cast<std::int16_t>(n);
    header->nCommentLines = static_cast<std::int16_t>(m);
    if (!cursor.skip()) return SF_DATA_FILE_ERROR;

    SF_DataASCII splitter;
    splitter.Delimiter(",");
    SF_FieldTable fields;
    for (std::size_t i = cursor.position(); i < lines.size(); ++i) {
      if (SF_FileText::trim(lines[i]).empty()) continue;
      fields.clear();
      splitter.splitLine(lines[i], fields);
      if (fields.fieldCount(0) < kFieldsRead) return SF_DATA_FILE_ERROR;
      const auto number = SF_FileText::toInt16(fields.field(0, 0));
      if (!number) return SF_DATA_FILE_ERROR;
      double values[7];
      for (std::size_t k = 0; k < 7; ++k) {
        const auto d = SF_FileText::toDouble(fields.field(0, 3 + k));
        if (!d) return SF_DATA_FILE_ERROR;
        values[k] = *d;
      }
      auto g = std::make_shared<SF_Geometry>();
      if (!SF_HeaderCursor::setTimeOfDay(fields.field(0, 1), *g->Tm()) ||
          !SF_HeaderCursor::setTimeOfDay(fields.field(0, 2), *g->Te()))
        return SF_DATA_FILE_ERROR;
      g->Tprope(values[0]);
      const auto pe = g->Pe();
      pe->X(values[1]);
      pe->Y(values[2]);
      pe->Z(values[3]);
      g->SRe(values[4]);
      g->THETAe(static_cast<float>(values[5]));
      g->BETAe(static_cast<float>(values[6]));
      history->Point(*number, std::move(g));
    }
    history->Count();  // more points than a 16-bit count holds is an error
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  sfHeader = std::move(header);
  GTH = std::move(history);
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}
