#pragma once
// Writes and reads a geometry time history as a "Geometric Time-History" file:
// a keyword header, column titles and one line per point (its number, the
// microphone and emission times, propagation time, emission position, slant
// range and angles, and a debug time that is written but not read back).

#include <memory>
#include <string>

#include "SF_DataMessage.h"
#include "SF_GeometryTimeHistory.h"
#include "SF_HeaderGTH.h"

class SF_DataGTH {
public:
  // Sets the header's GTHFileName, even when the write fails.
  SF_DataMessage writeFile(const std::string& sFileName, const std::shared_ptr<SF_HeaderGTH>& sfHeader,
                           const SF_GeometryTimeHistory& sfTimeHistory);
  // New header and history on success; on failure both are left as they were.
  SF_DataMessage readFile(const std::string& sFileName, std::shared_ptr<SF_HeaderGTH>& sfHeader,
                          std::shared_ptr<SF_GeometryTimeHistory>& GTH);
};
