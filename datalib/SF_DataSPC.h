#pragma once
// Reads and writes spectral time histories in the fixed-column spectral file:
// two header lines, then five 80-column lines per record, the record number and
// the levels of bands 2 to 45 in seven-column fields. Only bands BandLow to
// BandHigh are taken into the history read.

#include <cstdint>
#include <memory>
#include <string>

#include "SF_DataMessage.h"
#include "SF_SpectralTimeHistory.h"
#include "SF_Time.h"

class SF_DataSPC {
public:
  // New history on success; on failure sfSPC is left as it was.
  SF_DataMessage readFile(const std::string& sFileName, std::shared_ptr<SF_SpectralTimeHistory>& sfSPC);

  // Writes the header lines of the last setHeader (when it was never called,
  // a header for records 1 to Count at 0.5 s from the history's start time),
  // then records 1 to Count. A history with a record missing in that range, a
  // band below 2, or a value too wide for its field is not written.
  SF_DataMessage writeFile(const std::string& sFileName, const SF_SpectralTimeHistory& sfTimeHistory);

  // Builds the two header lines writeFile writes.
  void setHeader(const std::string& sAvgMethod, double dRecLen, const SF_Time& sfStartTime,
                 std::int16_t iFirstRecNumber, std::int16_t iLastRecNumber);
  const std::string& HeaderLine1() const { return header1_; }
  const std::string& HeaderLine2() const { return header2_; }

  std::int16_t NumberLastRecord() const { return lastRecord_; }
  std::int16_t NumberFirstRecord() const { return firstRecord_; }
  std::shared_ptr<SF_Time> startTime() const;
  double RecordLength() const { return recordLength_; }
  // The averaging code of the last file read ("E" or "e" for SF_TRUSLO).
  const std::string& AveragingCode() const { return averagingCode_; }

  std::int16_t BandLow() const { return bandLow_; }
  void BandLow(std::int16_t value) { bandLow_ = value; }
  std::int16_t BandHigh() const { return bandHigh_; }
  void BandHigh(std::int16_t value) { bandHigh_ = value; }

private:
  std::string averagingCode_;
  double recordLength_ = 0.0;
  mutable std::shared_ptr<SF_Time> startTime_;
  std::int16_t firstRecord_ = 0;
  std::int16_t lastRecord_ = 0;
  std::int16_t bandLow_ = 17;
  std::int16_t bandHigh_ = 40;
  std::string header1_;
  std::string header2_;
  bool headerSet_ = false;
  bool headerFits_ = true;
};
