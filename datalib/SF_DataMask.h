#pragma once
// Writes and reads a masking map as a "Masking Map" file: a keyword header,
// column titles naming the bands, and one line per row with the two-letter
// text of every cell and the row's last good band.

#include <memory>
#include <string>

#include "SF_DataMessage.h"
#include "SF_HeaderMask.h"
#include "SF_MaskMap.h"

class SF_DataMask {
public:
  // Sets the header's sFileName, lNumberRows and band range (from row 1),
  // even when the write fails. Rows 1 to Count are written.
  SF_DataMessage writeFile(const std::string& sFileName, const std::shared_ptr<SF_HeaderMask>& sfHeader,
                           const SF_MaskMap& sfMaskMap);
  // New header and map on success; on failure both are left as they were.
  SF_DataMessage readFile(const std::string& sFileName, std::shared_ptr<SF_HeaderMask>& sfHeader,
                          std::shared_ptr<SF_MaskMap>& MaskMap);
};
