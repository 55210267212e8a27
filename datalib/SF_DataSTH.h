#pragma once
// Writes and reads a spectral time history as a "Spectral Time-History" file:
// a keyword header, a column-title line and one comma-separated line of levels
// per record.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SF_DataMessage.h"
#include "SF_HeaderSTH.h"
#include "SF_SpectralTimeHistory.h"

class SF_DataSTH {
public:
  // Keeps sfHeader as this object's header and sets its sFileName, even when
  // the write fails. A history without records, or with a record or band
  // missing inside its ranges, is not written.
  SF_DataMessage writeFile(const std::string& sFileName, const std::shared_ptr<SF_HeaderSTH>& sfHeader,
                           const SF_SpectralTimeHistory& sfTimeHistory);

  // The header lines, up to the column-title line, as they stand in the file.
  bool getRawHeader(const std::string& sFileName, std::vector<std::string>& colHeader);

  // New header and history on success; on failure both are left as they were.
  SF_DataMessage readFile(const std::string& sFileName, std::shared_ptr<SF_HeaderSTH>& sfHeader,
                          std::shared_ptr<SF_SpectralTimeHistory>& STH);

  std::shared_ptr<SF_HeaderSTH> Header() const { return header_; }
  // The band range of the data columns of the last file read.
  std::int16_t BandLow() const { return bandLow_; }
  std::int16_t BandHigh() const { return bandHigh_; }

private:
  std::shared_ptr<SF_HeaderSTH> header_;
  std::int16_t bandLow_ = 0;
  std::int16_t bandHigh_ = 0;
};
