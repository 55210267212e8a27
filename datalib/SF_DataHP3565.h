#pragma once
// Imports the recordings of an HP 3565 analyzer system. A recording directory
// holds one ".DAT" file per event and the listings INDEX and TIMEDAT. The
// caller drives three steps: readDirectory checks the directory and collects
// event names, start times and the spectrum rate; DAT_to_ASC has the
// analyzer's converter program turn each ".dat" file into ".asc" text;
// ParseASC reads one event's ".ASC" file into a spectral time history.
//
// Problems are told through an SF_MessageHandler (title "SF_DataHP3565"); the
// library shows no window itself. The wait for the converter is bounded by a
// time limit per event and can be cancelled by the host.

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SF_SpectralTimeHistory.h"
#include "SF_Time.h"

class SF_MessageHandler;

class SF_DataHP3565 {
public:
  // Public integer with no effect, kept for callers that set it.
  std::int16_t xxx = 0;

  // cFileName lists the names of the files in sDirectory. cEventName gets
  // the event of every ".DAT" file; cStartTime the start time of each event
  // from TIMEDAT; dTimePerSpectrum the time per spectrum from INDEX.
  bool readDirectory(const std::string& sDirectory, const std::vector<std::string>& cFileName,
                     std::vector<std::string>& cEventName, std::map<std::string, std::shared_ptr<SF_Time>>& cStartTime,
                     double& dTimePerSpectrum);

  // Converts sDirectory's E.dat of every event E into sDirectory's E.asc by
  // running the converter "sdfprint.exe" of sSDFPRINTdirectory in sTempDir.
  // False when the converter cannot be started, ends without writing its
  // output, runs past the time limit or is cancelled.
  bool DAT_to_ASC(const std::string& sDirectory, const std::string& sTempDir, const std::string& sSDFPRINTdirectory,
                  const std::vector<std::string>& cEventName);

  // Reads sDirectory's sEvent.ASC into SpectralHistory: averaging method,
  // start time and one spectrum per record, bands BandLow to BandHigh only.
  // False, and the history untouched, when the file cannot be read or a value
  // cannot be converted.
  bool ParseASC(const std::string& sDirectory, const std::string& sEvent, const std::shared_ptr<SF_Time>& sfStartTime,
                SF_SpectralTimeHistory& SpectralHistory);

  std::int16_t BandLow() const { return bandLow_; }
  void BandLow(std::int16_t value) { bandLow_ = value; }
  std::int16_t BandHigh() const { return bandHigh_; }
  void BandHigh(std::int16_t value) { bandHigh_ = value; }

  // Longest wait for the converter on one event, in seconds (default 120).
  double ConversionTimeLimit() const { return timeLimitSeconds_; }
  void ConversionTimeLimit(double seconds) { timeLimitSeconds_ = seconds; }
  // Called between polls while the converter runs: the host lets its pending
  // events run there, and returns false to cancel the conversion.
  void WaitCallback(std::function<bool()> callback) { waitCallback_ = std::move(callback); }
  // Cancels a running conversion; safe to call from any thread.
  void cancelConversion() { cancelled_.store(true); }

  // Messages of this object go to this handler; without one, to the one the
  // host installed (SF_MessageHandler::install), else to standard error.
  void MessageHandler(SF_MessageHandler* handler) { messages_ = handler; }

  // Events listed in TIMEDAT or INDEX without a ".DAT" file, from the last readDirectory.
  const std::vector<std::string>& TimedatLeftovers() const { return timedatLeftovers_; }
  const std::vector<std::string>& IndexLeftovers() const { return indexLeftovers_; }

private:
  void message(const std::string& text) const;
  bool readIndex(const std::string& path, double& dTimePerSpectrum);
  bool readTimedat(const std::string& path, std::map<std::string, std::shared_ptr<SF_Time>>& cStartTime);
  bool convertEvent(const std::string& sDirectory, const std::string& sTempDir, const std::string& event);

  std::int16_t bandLow_ = 17;
  std::int16_t bandHigh_ = 40;
  std::vector<std::string> timedatLeftovers_;
  std::vector<std::string> indexLeftovers_;
  std::map<std::string, int> events_;
  double timeLimitSeconds_ = 120.0;
  std::function<bool()> waitCallback_;
  std::atomic<bool> cancelled_{false};
  SF_MessageHandler* messages_ = nullptr;
};
