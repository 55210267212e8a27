#include "SF_DataSSR.h"

#include <exception>
#include <optional>
#include <vector>

#include "SF_DataASCII.h"
#include "SF_DataError.h"
#include "SF_FileInfo.h"
#include "SF_FileText.h"
#include "SF_HeaderCursor.h"

namespace {

constexpr std::string_view kFileType = "Spectrum Record";

// The band number of a label: the digits between the leading "B" and the first "/".
std::optional<std::int16_t> bandOfLabel(std::string_view label) {
  label = SF_FileText::trim(label);
  const std::size_t slash = label.find('/');
  if (label.size() < 2 || label.front() != 'B' || slash == std::string_view::npos) return std::nullopt;
  return SF_FileText::toInt16(label.substr(1, slash - 1));
}

}  // namespace

SF_DataMessage SF_DataSSR::writeFile(const std::string& sFileName, const std::shared_ptr<SF_HeaderSSR>& sfHeader,
                                     const SF_Spectrum& spectrum) try {
  if (!sfHeader) return SF_DATA_FILE_ERROR;
  header_ = sfHeader;
  SF_HeaderSSR& h = *sfHeader;
  h.sFileName = sFileName;
  const int low = spectrum.LowBand(), high = spectrum.HighBand();
  // Bands without a label (below 2, above 50) could not be read back from the titles.
  if (high < low || SF_FileText::bandLabel(low).empty() || SF_FileText::bandLabel(high).empty())
    return SF_DATA_FILE_ERROR;
  const SF_FileInfo& info = SF_FileInfo::shared();
  std::vector<std::string> lines;
  lines.push_back(std::string("FileType**,") + std::string(kFileType));
  lines.push_back("FileName**," + info.fileName(h.sFileName));
  lines.push_back("FileDateTime**," + info.nowDateTime());
  lines.push_back("NumberOfCommentLines**," + SF_FileText::whole(static_cast<long long>(h.cCommentLines.size())));
  lines.insert(lines.end(), h.cCommentLines.begin(), h.cCommentLines.end());
  std::string titles, levels;
  try {
    for (int b = low; b <= high; ++b) {
      if (b > low) {
        titles += ',';
        levels += ',';
      }
      titles += SF_FileText::bandLabel(b);
      SF_FileText::appendLevel(levels, spectrum.SPL(static_cast<std::int16_t>(b)));
    }
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  lines.push_back(std::move(titles));
  lines.push_back(std::move(levels));
  return SF_FileText::writeLines(sFileName, std::move(lines));
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}

SF_DataMessage SF_DataSSR::readFile(const std::string& sFileName, std::shared_ptr<SF_Spectrum>& specNew,
                                    std::shared_ptr<SF_HeaderSSR>* ssrHeader) try {
  SF_DataASCII file;
  if (file.readLines(sFileName) != SF_DATA_OK) return SF_DATA_FILE_ERROR;
  const auto& lines = file.Lines();
  auto header = std::make_shared<SF_HeaderSSR>();
  SF_HeaderCursor cursor(lines);
  std::string v;
  if (!cursor.value(v) || v != kFileType) return SF_DATA_FILE_ERROR;
  if (!cursor.value(header->sFileName) || !cursor.dateTime(*header->sfFileDateTime)) return SF_DATA_FILE_ERROR;
  std::size_t m = 0;
  if (!cursor.count(m) || !cursor.freeLines(m, header->cCommentLines)) return SF_DATA_FILE_ERROR;
  if (cursor.remaining() < 2) return SF_DATA_FILE_ERROR;

  SF_DataASCII splitter;
  splitter.Delimiter(",");
  SF_FieldTable titles, levels;
  splitter.splitLine(lines[cursor.position()], titles);
  splitter.splitLine(lines[cursor.position() + 1], levels);
  const auto low = bandOfLabel(titles.field(0, 0));
  const auto high = bandOfLabel(titles.field(0, titles.fieldCount(0) - 1));
  if (!low || !high || *high < *low) return SF_DATA_FILE_ERROR;
  const std::size_t bands = static_cast<std::size_t>(*high - *low + 1);
  if (levels.fieldCount(0) < bands) return SF_DATA_FILE_ERROR;
  auto spectrum = std::make_shared<SF_Spectrum>();
  spectrum->reserveBands(*low, *high);
  for (std::size_t k = 0; k < bands; ++k) {
    const auto level = SF_FileText::toDouble(levels.field(0, k));
    if (!level) return SF_DATA_FILE_ERROR;
    spectrum->SPL(static_cast<std::int16_t>(*low + static_cast<int>(k)), *level);
  }
  specNew = std::move(spectrum);
  if (ssrHeader) *ssrHeader = std::move(header);
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}
