#include "SF_DataHP3565.h"

#include <chrono>
#include <cmath>
#include <exception>
#include <filesystem>

#include "SF_DataASCII.h"
#include "SF_DataError.h"
#include "SF_FileText.h"
#include "SF_MessageHandler.h"
#include "SF_ProcessLauncher.h"
#include "platform/SF_FileAccess.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTitle = "SF_DataHP3565";
constexpr const char* kConverter = "sdfprint.exe";
constexpr int kListedInIndex = 2;
constexpr int kListedInTimedat = 4;

// The directories come with a trailing separator, possibly the "\" of the
// recording system's own notation.
fs::path directoryPath(const std::string& directory) {
  std::string d = directory;
  while (d.size() > 1 && (d.back() == '\\' || d.back() == '/')) d.pop_back();
  return SF_FileAccess::pathOf(d.empty() ? std::string(".") : d);
}

// The recording system does not tell letter cases apart: take the file of
// that name in any case when the exact name is not there.
fs::path findFile(const std::string& directory, const std::string& name) {
  const fs::path dir = directoryPath(directory);
  fs::path exact = dir / SF_FileAccess::pathOf(name);
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  const std::string wanted = SF_FileText::upper(name);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    if (SF_FileText::upper(SF_FileAccess::nameOf(it->path().filename())) == wanted) return it->path();
  return exact;
}

std::string eventNameOf(const std::string& fileName) {
  return SF_FileText::upper(fileName.substr(0, fileName.find('.')));
}

bool endsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool copyReplacing(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (!fs::is_regular_file(from, ec)) return false;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  return !ec;
}

void removeFilesIn(const fs::path& dir) {
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code rm;
    if (it->is_regular_file(rm)) fs::remove(it->path(), rm);
  }
}

}  // namespace

void SF_DataHP3565::message(const std::string& text) const { SF_MessageHandler::report(kTitle, text, messages_); }

bool SF_DataHP3565::readDirectory(const std::string& sDirectory, const std::vector<std::string>& cFileName,
                                  std::vector<std::string>& cEventName,
                                  std::map<std::string, std::shared_ptr<SF_Time>>& cStartTime,
                                  double& dTimePerSpectrum) try {
  cEventName.clear();
  events_.clear();
  indexLeftovers_.clear();
  timedatLeftovers_.clear();
  std::string indexName, timedatName;
  for (const auto& name : cFileName) {
    const std::string upper = SF_FileText::upper(name);
    if (upper == "INDEX") {
      indexName = name;
    } else if (upper == "TIMEDAT") {
      timedatName = name;
    } else if (endsWith(upper, ".DAT")) {
      const std::string event = eventNameOf(name);
      if (events_.emplace(event, 1).second) cEventName.push_back(event);
    }
  }
  if (indexName.empty() && timedatName.empty()) {
    message("INDEX & TIMEDAT files do not exist");
    return false;
  }
  const fs::path directory = directoryPath(sDirectory);
  if (!readIndex(SF_FileAccess::nameOf(directory / SF_FileAccess::pathOf(indexName.empty() ? "INDEX" : indexName)),
                 dTimePerSpectrum)) {
    message("Problem reading INDEX file.");
    return false;
  }
  cStartTime.clear();
  if (!readTimedat(SF_FileAccess::nameOf(directory / SF_FileAccess::pathOf(timedatName.empty() ? "TIMEDAT" : timedatName)),
                   cStartTime)) {
    message("Problem reading TIMEDAT file.");
    return false;
  }
  for (const auto& [event, flags] : events_) {
    if ((flags & kListedInIndex) == 0 || (flags & kListedInTimedat) == 0) {
      message(".DAT file not listed in INDEX or TIMEDAT file!");
      return false;
    }
  }
  if (!indexLeftovers_.empty() || !timedatLeftovers_.empty()) {
    message("No correspoinding DAT file for an INDEX or TIMEDAT event.");
    return false;
  }
  return true;
} catch (const std::exception&) {
  return false;  // out of memory fails the operation, never the caller
}

bool SF_DataHP3565::readIndex(const std::string& path, double& dTimePerSpectrum) try {
  SF_DataASCII file;
  if (file.readLines(path) != SF_DATA_OK) return false;
  const auto& lines = file.Lines();
  if (lines.size() < 13 || lines[7].size() < 17) return false;
  const auto rate = SF_FileText::toDouble(SF_FileText::columns(lines[7], 1, 6));
  // A rate so small that its reciprocal overflows gives no time per spectrum.
  if (!rate || *rate <= 0 || !std::isfinite(1.0 / *rate)) return false;
  dTimePerSpectrum = 1.0 / *rate;
  std::size_t kept = 0;
  for (const auto& line : lines) {
    if (line.size() < 48) continue;
    if (++kept < 13) continue;
    const std::string event = SF_FileText::upper(SF_FileText::trim(SF_FileText::columns(line, 1, 20)));
    if (event.empty() || event == "END") continue;
    const auto it = events_.find(event);
    if (it != events_.end())
      it->second |= kListedInIndex;
    else
      indexLeftovers_.push_back(event);
  }
  return true;
} catch (const std::exception&) {
  return false;  // out of memory fails the operation, never the caller
}

bool SF_DataHP3565::readTimedat(const std::string& path, std::map<std::string, std::shared_ptr<SF_Time>>& cStartTime) try {
  SF_DataASCII file;
  if (file.readLines(path) != SF_DATA_OK) return false;
  for (const auto& line : file.Lines()) {
    const std::string event = SF_FileText::upper(SF_FileText::trim(SF_FileText::columns(line, 1, 20)));
    if (event.empty()) continue;
    const auto it = events_.find(event);
    if (it == events_.end()) {
      timedatLeftovers_.push_back(event);
      continue;
    }
    const auto hours = SF_FileText::toDouble(SF_FileText::columns(line, 21, 22));
    const auto minutes = SF_FileText::toDouble(SF_FileText::columns(line, 23, 24));
    const auto seconds = SF_FileText::toDouble(SF_FileText::columns(line, 25, 30));
    if (!hours || !minutes || !seconds) return false;
    it->second |= kListedInTimedat;
    auto start = std::make_shared<SF_Time>();
    try {
      start->TODnumbers(*hours, *minutes, *seconds);
    } catch (const SF_DataError&) {
      return false;  // seconds such as 1e+300 fit the columns but no clock
    }
    cStartTime[event] = std::move(start);
  }
  return true;
} catch (const std::exception&) {
  return false;  // out of memory fails the operation, never the caller
}

bool SF_DataHP3565::DAT_to_ASC(const std::string& sDirectory, const std::string& sTempDir,
                               const std::string& sSDFPRINTdirectory, const std::vector<std::string>& cEventName) try {
  cancelled_.store(false);
  const fs::path temp = directoryPath(sTempDir);
  std::error_code ec;
  if (!fs::create_directories(temp, ec) && !fs::is_directory(temp, ec)) {
    fs::remove(temp, ec);
    fs::create_directories(temp, ec);
  }
  const fs::path converter = findFile(sSDFPRINTdirectory, kConverter);
  const fs::path tempConverter = temp / kConverter;
  if (copyReplacing(converter, tempConverter)) {
    fs::permissions(tempConverter, fs::status(converter, ec).permissions(), ec);
  } else {
    message("SDFPRINT.EXE is missing!");
  }
  for (const auto& event : cEventName) {
    if (!convertEvent(sDirectory, sTempDir, event)) {
      removeFilesIn(temp);
      return false;
    }
  }
  removeFilesIn(temp);
  return true;
} catch (const std::exception&) {
  return false;  // out of memory fails the operation, never the caller
}

bool SF_DataHP3565::convertEvent(const std::string& sDirectory, const std::string& sTempDir, const std::string& event) {
  const fs::path temp = directoryPath(sTempDir);
  const std::string datName = event + ".dat";
  const std::string ascName = event + ".asc";
  if (!copyReplacing(findFile(sDirectory, datName), temp / SF_FileAccess::pathOf(datName))) {
    message("Problem copying " + datName + ".");
    return false;
  }
  SF_ProcessLauncher converter;
  if (!converter.start(SF_FileAccess::nameOf(temp / kConverter), {"/A", "/O", datName, ascName}, SF_FileAccess::nameOf(temp)))
    return false;

  const auto limit = std::chrono::milliseconds(
      static_cast<long long>(std::max(0.0, std::min(timeLimitSeconds_, 1e9)) * 1000.0));
  const auto result = converter.waitForExit(limit, [this] {
    if (waitCallback_ && !waitCallback_()) return false;
    return !cancelled_.load();
  });
  if (result == SF_ProcessLauncher::SF_PROCESS_CANCELLED) return false;
  if (result == SF_ProcessLauncher::SF_PROCESS_TIMED_OUT) {
    message("SDFPRINT did not convert " + datName + " in time.");
    return false;
  }
  // The output is complete only once the converter has ended.
  std::error_code ec;
  if (result != SF_ProcessLauncher::SF_PROCESS_EXITED ||
      !copyReplacing(temp / SF_FileAccess::pathOf(ascName), directoryPath(sDirectory) / SF_FileAccess::pathOf(ascName))) {
    message("SDFPRINT did not convert " + datName + ".");
    return false;
  }
  fs::remove(temp / SF_FileAccess::pathOf(ascName), ec);
  return true;
}

bool SF_DataHP3565::ParseASC(const std::string& sDirectory, const std::string& sEvent,
                             const std::shared_ptr<SF_Time>& sfStartTime, SF_SpectralTimeHistory& SpectralHistory) try {
  SF_DataASCII file;
  if (file.readLines(SF_FileAccess::nameOf(findFile(sDirectory, sEvent + ".ASC"))) != SF_DATA_OK) return false;
  const auto& lines = file.Lines();
  if (lines.size() < 176) return false;

  const SF_AverageMethod method = SF_FileText::columns(lines[38], 35, 35) == "A" ? SF_LINEAR : SF_TRUSLO;
  const int fileHigh = SF_FileText::leadingNumber(SF_FileText::columns(lines[44], 31, 35)).value_or(0) == 51200 ? 45 : 42;
  const int fileLow = SF_FileText::leadingNumber(SF_FileText::columns(lines[77], 31, 38)).value_or(0) >= 10 ? 13 : 10;
  const auto count = SF_FileText::toWhole(SF_FileText::columns(lines[175], 31, 35));
  if (!count || *count < 0 || *count > 32767) return false;
  const std::size_t n = static_cast<std::size_t>(*count);
  const std::size_t bands = static_cast<std::size_t>(fileHigh - fileLow + 1);
  const std::size_t blockLines = bands + 3;
  const std::size_t first = 184 + n;  // 0-based index of the first block
  // Every band line of every block must be there before anything is built.
  if (n > 0 && lines.size() < first + (n - 1) * blockLines + 2 + bands) return false;

  std::vector<std::shared_ptr<SF_Spectrum>> spectra;
  spectra.reserve(n);
  std::size_t at = first;
  for (std::size_t s = 0; s < n; ++s) {
    at += 2;
    auto spectrum = std::make_shared<SF_Spectrum>();
    for (int b = fileLow; b <= fileHigh; ++b, ++at) {
      const auto value = SF_FileText::toDouble(lines[at]);
      if (!value || *value == 0) return false;
      if (b >= bandLow_ && b <= bandHigh_)
        spectrum->SPL(static_cast<std::int16_t>(b), 10.0 * std::log10(std::fabs(*value)) - 3.01);
    }
    ++at;
    spectra.push_back(std::move(spectrum));
  }

  try {
    SpectralHistory.AverageMethod(method);
    if (sfStartTime) SpectralHistory.startTime(sfStartTime);
    for (std::size_t s = 0; s < n; ++s) SpectralHistory.spectrum(static_cast<std::int16_t>(s + 1), spectra[s]);
  } catch (const SF_DataError&) {
    return false;
  }
  return true;
} catch (const std::exception&) {
  return false;  // out of memory fails the operation, never the caller
}
