#include "SF_DataMIC.h"

#include <exception>
#include <vector>

#include "SF_DataASCII.h"
#include "SF_DataError.h"
#include "SF_FileText.h"
#include "SF_HeaderCursor.h"

namespace {
constexpr std::string_view kFileType = "Microphone Position File";
}

SF_DataMessage SF_DataMIC::readFile(const std::string& sFileName, std::shared_ptr<SF_HeaderMIC>& sfHeader,
                                    std::shared_ptr<SF_Microphone>& MIC) try {
  SF_DataASCII file;
  if (file.readLines(sFileName) != SF_DATA_OK) return SF_DATA_FILE_ERROR;
  const auto& lines = file.Lines();
  auto header = std::make_shared<SF_HeaderMIC>();
  auto mic = std::make_shared<SF_Microphone>();
  SF_HeaderCursor cursor(lines);
  if (!cursor.value(header->sFileType) || header->sFileType != kFileType) return SF_DATA_FILE_ERROR;
  if (!cursor.value(header->sFileName) || !cursor.dateTime(*header->sfFileDateTime)) return SF_DATA_FILE_ERROR;
  if (!cursor.value(header->sProjectName) || !cursor.value(header->sMicrophoneID)) return SF_DATA_FILE_ERROR;
  std::size_t n = 0, m = 0;
  if (!cursor.count(n) || n > 32767 || !cursor.freeLines(n, header->cOtherRecords)) return SF_DATA_FILE_ERROR;
  if (!cursor.count(m) || m > 32767 || !cursor.freeLines(m, header->cCommentLines)) return SF_DATA_FILE_ERROR;
  header->nOtherRecords = static_cast<std::int16_t>(n);
  header->nCommentLines = static_cast<std::int16_t>(m);
  if (!cursor.skip() || cursor.remaining() == 0) return SF_DATA_FILE_ERROR;

  SF_DataASCII splitter;
  splitter.Delimiter(",");
  SF_FieldTable fields;
  splitter.splitLine(lines[cursor.position()], fields);
  if (fields.fieldCount(0) < 4) return SF_DATA_FILE_ERROR;
  double values[4];
  for (std::size_t k = 0; k < 4; ++k) {
    const auto d = SF_FileText::toDouble(fields.field(0, k));
    if (!d) return SF_DATA_FILE_ERROR;
    values[k] = *d;
  }
  mic->X(values[0]);
  mic->Y(values[1]);
  mic->Z(values[2]);
  mic->Height(values[3]);
  header->lNumberRecords = 1;
  sfHeader = std::move(header);
  MIC = std::move(mic);
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}
