#pragma once
// The keyword header of a masking map file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SF_Time.h"

class SF_HeaderMask {
public:
  std::string sFileType;
  std::string sFileName;
  std::shared_ptr<SF_Time> sfFileDateTime = std::make_shared<SF_Time>();
  std::int32_t lNumberRows = 0;
  std::int16_t iBandLow = 0;
  std::int16_t iBandHigh = 0;
  std::string sGeneratedBy;
  std::string sGenerationFile;
  std::shared_ptr<SF_Time> sfGenerationDateTime = std::make_shared<SF_Time>();
  std::int16_t nOtherRecords = 0;
  std::vector<std::string> cOtherRecords;
  std::int16_t nCommentLines = 0;
  std::vector<std::string> cCommentLines;
  // The column-title line as read.
  std::string sColumnLabels;
};
