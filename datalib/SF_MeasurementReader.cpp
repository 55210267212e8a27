#include "SF_MeasurementReader.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <cstdio>
#include <sys/stat.h>

#include "SF_Enums.h"
#include "SF_FileInfo.h"
#include "SF_FileText.h"

namespace {

constexpr double kDay = 86400.0;
constexpr double kSthRecordSeconds = 0.5;
constexpr std::string_view kSthType = "Spectral Time-History";
constexpr std::size_t kChunk = 1 << 20;
constexpr long kProgressEvery = 4096;  // records between progress reports
constexpr int kSpcFirstBand = 2;
constexpr int kSpcLastBand = 45;
constexpr int kSpcBandsPerLine = 11;
constexpr std::size_t kSpcFieldWidth = 7;
constexpr int kMostBands = 200;

std::optional<long> wholeNumber(std::string_view text) {
  const auto v = SF_FileText::toWhole(text);
  if (!v || *v < -2147483647LL || *v > 2147483647LL) return std::nullopt;
  return static_cast<long>(*v);
}

// The value of a keyword line: the text after "**" without the comma that follows it, trimmed.
bool keywordValue(std::string_view line, std::string& value) {
  const std::size_t stars = line.find("**");
  if (stars == std::string_view::npos) return false;
  std::string_view v = line.substr(stars + 2);
  if (!v.empty() && v.front() == ',') v.remove_prefix(1);
  value = std::string(SF_FileText::trim(v));
  return true;
}

std::string lineText(long line) { return "line " + std::to_string(line); }

}  // namespace

// The lines of a file, read in chunks: the whole file is never in memory.
// Lines end at CR LF, LF or a lone CR, as SF_DataASCII reads them.
class SF_MeasurementReader::LineSource {
public:
  ~LineSource() {
    if (file_) std::fclose(file_);
  }

  bool open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return false;
    struct stat st {};
    if (fstat(fileno(file_), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    size_ = static_cast<double>(st.st_size);
    buffer_.resize(kChunk);
    return true;
  }

  // The next line; false at the end of the file or on a read error.
  bool next(std::string_view& line) {
    if (carryOut_) {
      carry_.clear();
      carryOut_ = false;
    }
    for (;;) {
      if (pos_ < end_) {
        const char* begin = buffer_.data() + pos_;
        const char* stop = begin;
        const char* last = buffer_.data() + end_;
        while (stop < last && *stop != '\r' && *stop != '\n') ++stop;
        if (stop < last) {
          if (carry_.empty()) {
            line = std::string_view(begin, static_cast<std::size_t>(stop - begin));
          } else {
            carry_.append(begin, stop);
            line = carry_;
            carryOut_ = true;
          }
          pos_ = static_cast<std::size_t>(stop - buffer_.data()) + 1;
          if (*stop == '\r') {
            if (pos_ < end_) {
              if (buffer_[pos_] == '\n') ++pos_;
            } else {
              skipLF_ = true;
            }
          }
          ++number_;
          return true;
        }
        carry_.append(begin, last);
        pos_ = end_;
      }
      if (!file_ || eof_) break;
      end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
      pos_ = 0;
      read_ += static_cast<double>(end_);
      if (end_ == 0) {
        eof_ = true;
        error_ = std::ferror(file_) != 0;
        break;
      }
      if (skipLF_ && buffer_[0] == '\n') pos_ = 1;
      skipLF_ = false;
    }
    if (!carry_.empty()) {  // a last line without its line end
      line = carry_;
      carryOut_ = true;
      ++number_;
      return true;
    }
    return false;
  }

  long number() const { return number_; }
  bool readError() const { return error_; }
  double fraction() const { return size_ > 0 ? std::min(1.0, read_ / size_) : 1.0; }

private:
  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::string carry_;
  bool carryOut_ = false;
  bool skipLF_ = false;
  bool eof_ = false;
  bool error_ = false;
  long number_ = 0;
  double size_ = 0;
  double read_ = 0;
};

SF_MeasurementReader::SF_MeasurementReader() = default;
SF_MeasurementReader::~SF_MeasurementReader() = default;

void SF_MeasurementReader::SpcBands(int low, int high) {
  spcLow_ = low;
  spcHigh_ = high;
}

std::string SF_MeasurementReader::FormatName() const {
  switch (format_) {
    case SF_FORMAT_STH: return std::string(kSthType);
    case SF_FORMAT_SPC: return "Fixed-Column Spectral";
    case SF_FORMAT_UNKNOWN: break;
  }
  return "";
}

bool SF_MeasurementReader::fail(const std::string& text) {
  error_ = text;
  return false;
}

bool SF_MeasurementReader::open(const std::string& path) {
  path_ = path;
  format_ = SF_FORMAT_UNKNOWN;
  lines_ = std::make_unique<LineSource>();
  if (!lines_->open(path)) return fail("cannot be opened for reading");
  std::string_view view;
  if (!lines_->next(view)) return fail(lines_->readError() ? "cannot be read" : "is empty");
  const std::string line1(view);
  const std::size_t comma = line1.find(',');
  if (comma != std::string::npos && SF_FileText::trim(std::string_view(line1).substr(comma + 1)) == kSthType) {
    format_ = SF_FORMAT_STH;
    return openSTH();
  }
  const std::string line2 = lines_->next(view) ? std::string(view) : std::string();
  if (openSPC(line1, line2)) {
    format_ = SF_FORMAT_SPC;
    return true;
  }
  return fail("is neither a spectral time history file nor a fixed-column spectral file");
}

bool SF_MeasurementReader::openSTH() {
  // Lines 2 to 17 by position, as the spectral time history reader takes them.
  std::string values[18];
  std::string_view view;
  for (int n = 2; n <= 18; ++n) {
    if (!lines_->next(view)) return fail("ends inside its header, at " + lineText(n));
    if (!keywordValue(view, values[n - 1])) return fail(lineText(n) + " of the header has no keyword");
  }
  project_ = values[3];
  microphone_ = values[4];
  averaging_ = SF_FileText::upper(values[5]);
  timeStampType_ = SF_FileText::upper(values[6]);
  startText_ = values[8];
  SF_TimeStampType type = SF_START;
  SF_TimeStampTypeFromName(timeStampType_, type);
  // A stamp of type START marks the start of its record; the others lie
  // later (MIDPT, END) or earlier (ICAOSLO, OLDSLO) by their share of it.
  stampShare_ = (0.5 - SF_TimeStampOffset(type)) / 0.5;
  const auto start = SF_FileInfo::parseTime(startText_);
  if (!start) return fail("line 9 holds no start time");
  startSeconds_ = *start;

  const std::string& records = values[12];
  const std::size_t rc = records.find(',');
  const auto first = wholeNumber(std::string_view(records).substr(0, rc));
  const auto last = rc == std::string::npos ? std::nullopt : wholeNumber(std::string_view(records).substr(rc + 1));
  if (!first || !last) return fail("line 13 holds no record numbers");
  firstRecord_ = *first;
  lastRecord_ = *last;
  const std::string& bands = values[13];
  const std::size_t bc = bands.find(',');
  const auto low = wholeNumber(std::string_view(bands).substr(0, bc));
  const auto high = bc == std::string::npos ? std::nullopt : wholeNumber(std::string_view(bands).substr(bc + 1));
  if (!low || !high || *high < *low || *high - *low >= kMostBands) return fail("line 14 holds no band range");
  lowBand_ = static_cast<int>(*low);
  highBand_ = static_cast<int>(*high);
  recordLength_ = kSthRecordSeconds;

  // Other records, comments, then the column titles.
  for (int block = 0; block < 2; ++block) {
    std::string countText;
    if (block == 1) {
      if (!lines_->next(view) || !keywordValue(view, countText))
        return fail("ends inside its header, at " + lineText(lines_->number()));
    } else {
      countText = values[17];
    }
    const auto count = wholeNumber(countText);
    if (!count || *count < 0) return fail(lineText(lines_->number()) + " holds no count of lines");
    for (long i = 0; i < *count; ++i)
      if (!lines_->next(view)) return fail("ends inside its header, at " + lineText(lines_->number() + 1));
  }
  if (!lines_->next(view)) return fail("has no column-title line");
  levels_.resize(static_cast<std::size_t>(highBand_ - lowBand_ + 1));
  return true;
}

bool SF_MeasurementReader::openSPC(const std::string& line1, const std::string& line2) {
  const auto length = SF_FileText::toDouble(SF_FileText::columns(line1, 2, 10));
  const auto hours = SF_FileText::toWhole(SF_FileText::columns(line1, 12, 13));
  const auto minutes = SF_FileText::toWhole(SF_FileText::columns(line1, 15, 16));
  const auto seconds = SF_FileText::toDouble(SF_FileText::columns(line1, 18, 23));
  const auto first = wholeNumber(SF_FileText::columns(line2, 17, 20));
  const auto last = wholeNumber(SF_FileText::columns(line2, 21, 24));
  if (!length || !hours || !minutes || !seconds || !first || !last) return false;
  if (*hours < 0 || *hours > 23 || *minutes < 0 || *minutes > 59 || *seconds < 0 || *seconds >= 60) return false;
  if (!(*length > 0)) return fail("has a record length of " + SF_FileText::shortest(*length) + " s");
  recordLength_ = *length;
  startSeconds_ = static_cast<double>(*hours * 3600 + *minutes * 60) + *seconds;
  startText_ = std::string(SF_FileText::trim(SF_FileText::columns(line1, 12, 23)));
  averaging_ = std::string(SF_FileText::columns(line1, 1, 1));
  firstRecord_ = *first;
  lastRecord_ = *last;
  lowBand_ = std::max(spcLow_, kSpcFirstBand);
  highBand_ = std::min(spcHigh_, kSpcLastBand);
  if (highBand_ < lowBand_) return fail("holds none of the bands asked for");
  levels_.resize(static_cast<std::size_t>(highBand_ - lowBand_ + 1));
  return true;
}

bool SF_MeasurementReader::forEachRecord(const std::function<void(const SF_MeasuredRecord&)>& onRecord,
                                         const std::function<void(double)>& progress) {
  if (!lines_ || format_ == SF_FORMAT_UNKNOWN) return fail("is not open");
  const bool ok = format_ == SF_FORMAT_STH ? readSTH(onRecord, progress) : readSPC(onRecord, progress);
  if (ok && progress) progress(1.0);
  lines_.reset();
  return ok;
}

bool SF_MeasurementReader::readSTH(const std::function<void(const SF_MeasuredRecord&)>& onRecord,
                                   const std::function<void(double)>& progress) {
  const std::size_t bands = levels_.size();
  SF_MeasuredRecord record;
  record.lowBand = lowBand_;
  record.levels = levels_.data();
  record.bands = bands;
  record.seconds = recordLength_;
  const double shift = stampShare_ * recordLength_;
  double previous = -1.0;
  long count = 0;
  std::string_view line;
  while (lines_->next(line)) {
    if (SF_FileText::trim(line).empty()) continue;
    const long at = lines_->number();
    // Fields: record number, time of day, relative time, the band levels.
    std::size_t field = 0;
    std::size_t from = 0;
    while (true) {
      const std::size_t comma = line.find(',', from);
      const std::string_view text = line.substr(from, comma == std::string_view::npos ? comma : comma - from);
      if (field == 0) {
        const auto number = wholeNumber(text);
        if (!number) return fail(lineText(at) + " holds no record number");
        record.number = *number;
      } else if (field == 1) {
        const auto stamp = SF_FileInfo::parseTime(text);
        if (!stamp) return fail(lineText(at) + " holds no time of day");
        record.start = *stamp - shift;
      } else if (field >= 3 && field - 3 < bands) {
        const auto level = SF_FileText::toDouble(text);
        if (!level) return fail(lineText(at) + " holds a level that is not a number");
        levels_[field - 3] = *level;
      }
      ++field;
      if (comma == std::string_view::npos || field >= 3 + bands) break;
      from = comma + 1;
    }
    if (field < 3 + bands) return fail(lineText(at) + " holds fewer levels than the header's bands");
    record.start -= kDay * std::floor(record.start / kDay);
    if (previous >= 0 && record.start < previous - 1e-6) ++record.day;
    previous = record.start;
    onRecord(record);
    ++count;
    if (progress && count % kProgressEvery == 0) progress(lines_->fraction());
  }
  if (lines_->readError()) return fail("cannot be read to its end");
  const long announced = lastRecord_ >= firstRecord_ ? lastRecord_ - firstRecord_ + 1 : 0;
  if (count != announced)
    return fail("announces " + std::to_string(announced) + " records but holds " + std::to_string(count));
  return true;
}

bool SF_MeasurementReader::readSPC(const std::function<void(const SF_MeasuredRecord&)>& onRecord,
                                   const std::function<void(double)>& progress) {
  SF_MeasuredRecord record;
  record.lowBand = lowBand_;
  record.levels = levels_.data();
  record.bands = levels_.size();
  record.seconds = recordLength_;
  std::string block[5];
  long count = 0;
  std::string_view line;
  while (lines_->next(line)) {
    const long at = lines_->number();
    block[0] = line;
    for (int i = 1; i < 5; ++i) {
      if (!lines_->next(line)) return fail("ends inside the record that starts on " + lineText(at));
      block[i] = line;
    }
    const auto number = wholeNumber(SF_FileText::columns(block[0], 1, 5));
    if (!number) return fail(lineText(at) + " holds no record number");
    record.number = *number;
    for (int b = lowBand_; b <= highBand_; ++b) {
      const int index = (b - kSpcFirstBand) / kSpcBandsPerLine;
      const std::size_t lastColumn = kSpcFieldWidth * static_cast<std::size_t>(b - kSpcFirstBand - index * kSpcBandsPerLine + 1);
      const auto level =
          SF_FileText::toDouble(SF_FileText::columns(block[1 + index], lastColumn - kSpcFieldWidth + 1, lastColumn));
      if (!level) return fail(lineText(at + 1 + index) + " holds a level that is not a number");
      levels_[static_cast<std::size_t>(b - lowBand_)] = *level;
    }
    const double start = startSeconds_ + static_cast<double>(count) * recordLength_;
    record.day = static_cast<long>(std::floor(start / kDay));
    record.start = start - kDay * static_cast<double>(record.day);
    onRecord(record);
    ++count;
    if (progress && count % kProgressEvery == 0) progress(lines_->fraction());
  }
  if (lines_->readError()) return fail("cannot be read to its end");
  const long announced = lastRecord_ - firstRecord_ + 1;
  if (count != announced)
    return fail("announces " + std::to_string(std::max(0L, announced)) + " records but holds " + std::to_string(count));
  return true;
}
