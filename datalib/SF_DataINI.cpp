#include "SF_DataINI.h"

#include <exception>
#include <optional>

#include "SF_DataASCII.h"
#include "SF_DataError.h"
#include "SF_FileInfo.h"
#include "SF_FileText.h"

namespace {

constexpr const char* kFileType = "Variable Initialization File";

}  // namespace

std::shared_ptr<SF_Time> SF_DataINI::FileDate() const {
  if (!fileDate_) fileDate_ = std::make_shared<SF_Time>();
  return fileDate_;
}

SF_DataMessage SF_DataINI::writeFile(const std::string& sFileName) try {
  fileName_ = sFileName;
  const SF_FileInfo& info = SF_FileInfo::shared();
  std::vector<std::string> lines;
  lines.reserve(12 + comments_.size());
  lines.push_back(std::string("FileType**,") + kFileType);
  lines.push_back("FileName**," + info.fileName(fileName_));
  lines.push_back("FileDateTime**," + info.nowDateTime());
  lines.push_back("NumberOfCommentLines**," + SF_FileText::whole(static_cast<long long>(comments_.size())));
  for (const auto& c : comments_) lines.push_back(c);
  if (calAdj_ != 0.0f) lines.push_back("CalAdj**, " + SF_FileText::shortest(calAdj_));
  if (nuAvg_ != SF_NA) lines.push_back("NuAvg**, " + std::string(SF_AverageMethodName(nuAvg_)));
  if (nuTimg_ != NOT_SET) {
    const bool named = nuTimg_ >= SF_START && nuTimg_ <= SF_OLDSLO;
    lines.push_back("NuTimg**, " + std::string(named ? SF_TimeStampTypeName(static_cast<SF_TimeStampType>(nuTimg_)) : ""));
  }
  if (prWndo_ != 0.0f) lines.push_back("PrWndo**, " + SF_FileText::shortest(prWndo_));
  if (poWndo_ > 0.0f) lines.push_back("PoWndo**, " + SF_FileText::shortest(poWndo_));
  if (loRec_ != 0) lines.push_back("LoRec**, " + SF_FileText::whole(loRec_));
  if (hiRec_ != 0) lines.push_back("HiRec**, " + SF_FileText::whole(hiRec_));
  return SF_FileText::writeLines(sFileName, std::move(lines));
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}

SF_DataMessage SF_DataINI::readFile(const std::string& sFileName) try {
  SF_DataASCII file;
  file.Delimiter(",");
  if (file.readFields(sFileName) != SF_DATA_OK) return SF_DATA_FILE_ERROR;
  const SF_FieldTable& rec = file.Fields();

  // Work on a copy so that a file that fails half-way changes nothing.
  SF_DataINI next = *this;
  next.nuAvg_ = SF_NA;
  next.nuTimg_ = NOT_SET;
  std::optional<SF_Time> readDate;

  const std::size_t count = rec.size();
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t fields = rec.fieldCount(i);
    if (fields == 0) continue;
    const std::string_view first = rec.field(i, 0);
    const std::size_t stars = first.find("**");
    if (stars == std::string_view::npos) continue;
    const std::string keyword = SF_FileText::upper(first.substr(0, stars));
    const std::string_view value = fields > 1 ? SF_FileText::trim(rec.field(i, 1)) : std::string_view();

    if (keyword == "FILENAME") {
      next.fileName_ = std::string(value);
    } else if (keyword == "FILEDATETIME") {
      const std::string_view datePart = value;
      const std::string_view timePart = fields > 2 ? SF_FileText::trim(rec.field(i, 2)) : std::string_view();
      SF_Time t = readDate ? *readDate : *FileDate();
      if (!datePart.empty()) {
        const auto day = SF_FileInfo::parseDate(datePart);
        if (!day) return SF_DATA_FILE_ERROR;
        t.CurrentDate(*day);
      }
      if (!timePart.empty()) {
        const auto secs = SF_FileInfo::parseTime(timePart);
        if (!secs) return SF_DATA_FILE_ERROR;
        t.TODseconds(static_cast<double>(static_cast<long long>(*secs)));
      }
      readDate = t;
    } else if (keyword == "NUMBEROFCOMMENTLINES") {
      const auto m = SF_FileText::toWhole(value);
      if (!m || *m < 0 || static_cast<unsigned long long>(*m) > count - i - 1) return SF_DATA_FILE_ERROR;
      for (long long k = 0; k < *m; ++k) {
        ++i;
        const std::string_view comment = rec.fieldCount(i) > 0 ? rec.field(i, 0) : std::string_view();
        if (!comment.empty()) next.comments_.emplace_back(comment);
      }
    } else if (keyword == "CALADJ" || keyword == "PRWNDO" || keyword == "POWNDO") {
      const auto v = SF_FileText::toDouble(value);
      if (!v) return SF_DATA_FILE_ERROR;
      float f = 0.0f;
      try {
        f = SF_ToSingle(*v);
      } catch (const SF_DataError&) {
        return SF_DATA_FILE_ERROR;  // past single precision: it would be read as infinite
      }
      (keyword == "CALADJ" ? next.calAdj_ : keyword == "PRWNDO" ? next.prWndo_ : next.poWndo_) = f;
    } else if (keyword == "NUAVG") {
      SF_AverageMethod method = SF_LINEAR;
      SF_AverageMethodFromName(value, method);
      next.nuAvg_ = method;
    } else if (keyword == "NUTIMG") {
      SF_TimeStampType type = SF_START;
      SF_TimeStampTypeFromName(value, type);
      next.nuTimg_ = type;
    } else if (keyword == "LOREC" || keyword == "HIREC") {
      const auto v = SF_FileText::toInt16(value);
      if (!v) return SF_DATA_FILE_ERROR;
      (keyword == "LOREC" ? next.loRec_ : next.hiRec_) = *v;
    }
  }

  if (readDate) *next.FileDate() = *readDate;
  *this = std::move(next);
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}
