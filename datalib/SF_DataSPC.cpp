#include "SF_DataSPC.h"

#include <charconv>
#include <cmath>
#include <exception>
#include <vector>

#include "SF_DataASCII.h"
#include "SF_DataError.h"
#include "SF_FileText.h"
#include "SF_HeaderCursor.h"

namespace {

constexpr std::size_t kLineWidth = 80;
constexpr std::size_t kFieldWidth = 7;
constexpr int kFirstBand = 2;
constexpr int kLastBand = 45;
constexpr int kBandsPerLine = 11;
constexpr std::size_t kOverallLevelEnd = 77;  // the field of band 45
constexpr std::size_t kLinesPerRecord = 5;

// Writes text right-aligned so that it ends at column lastColumn (1-based);
// false when it would run past the start of the line or into column minColumn - 1.
bool putRight(std::string& line, std::string_view text, std::size_t lastColumn, std::size_t minColumn = 1) {
  if (text.size() > lastColumn || lastColumn - text.size() + 1 < minColumn) return false;
  line.replace(lastColumn - text.size(), text.size(), text);
  return true;
}

// Fixed decimals without a 0 before the point, as the ".00000" pattern gives.
std::string fixedNoLeadingZero(double value, int decimals) {
  std::string text = SF_FileText::fixed(value, decimals);
  const std::size_t digit = text[0] == '-' ? 1 : 0;
  if (text.size() > digit + 1 && text[digit] == '0' && text[digit + 1] == '.') text.erase(digit, 1);
  return text;
}

std::string twoDigits(long v) {
  std::string text = SF_FileText::whole(v);
  if (text.size() < 2) text.insert(0, 2 - text.size(), '0');
  return text;
}

// The line of band b and the last column of its field.
void bandField(int b, std::size_t& line, std::size_t& lastColumn) {
  const int index = (b - kFirstBand) / kBandsPerLine;
  line = static_cast<std::size_t>(index);
  lastColumn = kFieldWidth * static_cast<std::size_t>(b - kFirstBand - index * kBandsPerLine + 1);
}

std::string emptyBandLine() {
  std::string line;
  line.reserve(kLineWidth);
  for (int i = 0; i < kBandsPerLine; ++i) line += "    .00";
  line += "   ";
  return line;
}

}  // namespace

std::shared_ptr<SF_Time> SF_DataSPC::startTime() const {
  if (!startTime_) startTime_ = std::make_shared<SF_Time>();
  return startTime_;
}

void SF_DataSPC::setHeader(const std::string& sAvgMethod, double dRecLen, const SF_Time& sfStartTime,
                           std::int16_t iFirstRecNumber, std::int16_t iLastRecNumber) {
  headerSet_ = true;
  headerFits_ = true;
  const std::string tod = sfStartTime.TODstring();
  const std::size_t c1 = tod.find(':');
  const std::size_t c2 = tod.find(':', c1 + 1);
  long hours = 0, minutes = 0;
  std::from_chars(tod.data(), tod.data() + c1, hours);
  std::from_chars(tod.data() + c1 + 1, tod.data() + c2, minutes);
  const double seconds = SF_FileText::toDouble(std::string_view(tod).substr(c2 + 1)).value_or(0.0);

  // The code takes column 1 alone, so every later field stays in its columns.
  const std::string_view code = SF_FileText::trim(sAvgMethod);
  header1_.assign(kLineWidth, ' ');
  if (!code.empty()) header1_[0] = code.front();
  // A length of 1 s or more would push the time along and out of the columns
  // it is read from; it ends at column 10 like a shorter one instead.
  headerFits_ &= putRight(header1_, fixedNoLeadingZero(dRecLen, 5), 10, 2);
  header1_.replace(11, 2, twoDigits(hours));
  header1_.replace(14, 2, twoDigits(minutes));
  std::string secondsText = fixedNoLeadingZero(seconds, 3);
  if (secondsText.front() == '.') secondsText.insert(0, "00");
  else if (secondsText.find('.') == 1) secondsText.insert(0, "0");
  headerFits_ &= putRight(header1_, secondsText, 23, 18);
  header1_.replace(28, 6, ".00000");

  header2_ = "     .00     .00";
  header2_.resize(kLineWidth, ' ');
  headerFits_ &= putRight(header2_, SF_FileText::whole(iFirstRecNumber), 20, 17);
  headerFits_ &= putRight(header2_, SF_FileText::whole(iLastRecNumber), 24, 21);
}

SF_DataMessage SF_DataSPC::writeFile(const std::string& sFileName, const SF_SpectralTimeHistory& sfTimeHistory) try {
  std::vector<std::string> lines;
  try {
    const std::int16_t count = sfTimeHistory.Count();
    if (!headerSet_)
      setHeader(sfTimeHistory.AverageMethod() == SF_TRUSLO ? "E" : "L", 0.5, *sfTimeHistory.startTime(), 1, count);
    if (!headerFits_) return SF_DATA_FILE_ERROR;
    lines.reserve(2 + kLinesPerRecord * static_cast<std::size_t>(count));
    lines.push_back(header1_);
    lines.push_back(header2_);
    const std::string blankBands = emptyBandLine();
    std::string bandLines[4];
    std::string text;
    for (int i = 1; i <= count; ++i) {
      const auto spectrum = sfTimeHistory.spectrum(static_cast<std::int16_t>(i));
      std::string recordLine(kLineWidth, ' ');
      // Record numbers above 999 take column 4 as well; column 5 stays blank.
      const std::string number = SF_FileText::whole(i);
      if (!putRight(recordLine, number, number.size() > 3 ? number.size() : 3)) return SF_DATA_FILE_ERROR;
      if (!putRight(recordLine, SF_FileText::whole(spectrum->HighBand()), 7, 6)) return SF_DATA_FILE_ERROR;
      lines.push_back(std::move(recordLine));
      for (auto& l : bandLines) l = blankBands;
      for (int b = spectrum->LowBand(); b <= spectrum->HighBand() && b <= kLastBand; ++b) {
        if (b < kFirstBand) return SF_DATA_FILE_ERROR;
        std::size_t line = 0, last = 0;
        bandField(b, line, last);
        text.clear();
        SF_FileText::appendLevel(text, spectrum->SPL(static_cast<std::int16_t>(b)));
        if (!putRight(bandLines[line], text, last, last - kFieldWidth + 1)) return SF_DATA_FILE_ERROR;
      }
      text.clear();
      SF_FileText::appendLevel(text, spectrum->Level());
      bandLines[3].replace(kOverallLevelEnd - kFieldWidth, kFieldWidth, kFieldWidth, ' ');
      if (!putRight(bandLines[3], text, kOverallLevelEnd, kOverallLevelEnd - kFieldWidth + 1)) return SF_DATA_FILE_ERROR;
      for (auto& l : bandLines) lines.push_back(l);
    }
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  return SF_FileText::writeLines(sFileName, std::move(lines));
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}

SF_DataMessage SF_DataSPC::readFile(const std::string& sFileName, std::shared_ptr<SF_SpectralTimeHistory>& sfSPC) try {
  SF_DataASCII file;
  if (file.readLines(sFileName) != SF_DATA_OK) return SF_DATA_FILE_ERROR;
  const std::vector<std::string>& lines = file.Lines();
  if (lines.size() < 2) return SF_DATA_FILE_ERROR;
  const std::string& h1 = lines[0];
  const std::string& h2 = lines[1];

  const std::string code(SF_FileText::columns(h1, 1, 1));
  // The length is right-aligned in columns 2 to 10; files with a length below 1 s put it in 4 to 10.
  const auto recordLength = SF_FileText::toDouble(SF_FileText::columns(h1, 2, 10));
  const auto hours = SF_FileText::toWhole(SF_FileText::columns(h1, 12, 13));
  const auto minutes = SF_FileText::toWhole(SF_FileText::columns(h1, 15, 16));
  const auto seconds = SF_FileText::toDouble(SF_FileText::columns(h1, 18, 23));
  // First record numbers of up to four digits end at column 20.
  const auto first = SF_FileText::toInt16(SF_FileText::columns(h2, 17, 20));
  const auto last = SF_FileText::toInt16(SF_FileText::columns(h2, 21, 24));
  if (!recordLength || !hours || !minutes || !seconds || !first || !last) return SF_DATA_FILE_ERROR;
  const long records = static_cast<long>(*last) - *first + 1;
  if (records < 0 || lines.size() - 2 != kLinesPerRecord * static_cast<std::size_t>(records)) return SF_DATA_FILE_ERROR;

  auto start = std::make_shared<SF_Time>();
  const std::string tod = SF_FileText::whole(*hours) + ":" + SF_FileText::whole(*minutes) + ":" +
                          std::string(SF_FileText::trim(SF_FileText::columns(h1, 18, 23)));
  if (!SF_HeaderCursor::setTimeOfDay(tod, *start)) return SF_DATA_FILE_ERROR;

  const int low = std::max<int>(bandLow_, kFirstBand);
  const int high = std::min<int>(bandHigh_, kLastBand);
  auto history = std::make_shared<SF_SpectralTimeHistory>();
  try {
    for (std::size_t k = 2; k < lines.size(); k += kLinesPerRecord) {
      const auto record = SF_FileText::toInt16(SF_FileText::columns(lines[k], 1, 5));
      if (!record) return SF_DATA_FILE_ERROR;
      auto spectrum = std::make_shared<SF_Spectrum>();
      if (high >= low) spectrum->reserveBands(static_cast<std::int16_t>(low), static_cast<std::int16_t>(high));
      for (int b = low; b <= high; ++b) {
        std::size_t line = 0, lastColumn = 0;
        bandField(b, line, lastColumn);
        const auto level =
            SF_FileText::toDouble(SF_FileText::columns(lines[k + 1 + line], lastColumn - kFieldWidth + 1, lastColumn));
        if (!level) return SF_DATA_FILE_ERROR;
        spectrum->SPL(static_cast<std::int16_t>(b), *level);
      }
      history->spectrum(*record, std::move(spectrum));
    }
    if (history->Count() > 0) history->setTimeStamps(*start, SF_MIDPT, *start, SF_START_REF);
  } catch (const SF_DataError&) {
    return SF_DATA_FILE_ERROR;
  }
  if (code == "E" || code == "e") history->AverageMethod(SF_TRUSLO);

  averagingCode_ = code;
  recordLength_ = *recordLength;
  startTime_ = start;
  firstRecord_ = *first;
  lastRecord_ = *last;
  sfSPC = std::move(history);
  return SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory fails the operation, never the caller
}
