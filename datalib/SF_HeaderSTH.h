#pragma once
// The keyword header of a spectral time history file, as last written or read.

#include <memory>
#include <string>
#include <vector>

#include "SF_Time.h"

class SF_HeaderSTH {
public:
  std::string sAdjustmentCode;
  std::string sGeneratedBy;
  std::string sGenerationFile;
  // Date and time of the generation file, filled on reading.
  std::shared_ptr<SF_Time> sfGenerationDateTime = std::make_shared<SF_Time>();
  std::string sProjectName;
  std::string sMicrophoneID;
  std::vector<std::string> cCommentLines;
  std::vector<std::string> cOtherRecords;
  std::string sFileName;
  // Date and time the file was written, filled on reading.
  std::shared_ptr<SF_Time> sfFileDateTime = std::make_shared<SF_Time>();
};
