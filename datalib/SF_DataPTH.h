#pragma once
// Writes and reads a position time history as a "Position Time-History" file:
// a keyword header, the titles "TOD,X,Y,Z" and one line per position.

#include <memory>
#include <string>

#include "SF_DataMessage.h"
#include "SF_HeaderPTH.h"
#include "SF_PositionTimeHistory.h"

class SF_DataPTH {
public:
  // Sets the header's sFileName and lNumberRecords (to the history's Count),
  // even when the write fails.
  SF_DataMessage writeFile(const std::string& sFileName, const std::shared_ptr<SF_HeaderPTH>& sfHeader,
                           const SF_PositionTimeHistory& sfTimeHistory);
  // New header and history on success; on failure both are left as they were.
  SF_DataMessage readFile(const std::string& sFileName, std::shared_ptr<SF_HeaderPTH>& sfHeader,
                          std::shared_ptr<SF_PositionTimeHistory>& PTH);
};
