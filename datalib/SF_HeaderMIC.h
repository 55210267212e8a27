#pragma once
// The keyword header of a microphone position file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SF_Time.h"

class SF_HeaderMIC {
public:
  std::string sFileType;
  std::string sFileName;
  std::shared_ptr<SF_Time> sfFileDateTime = std::make_shared<SF_Time>();
  std::string sProjectName;
  std::string sMicrophoneID;
  std::int32_t lNumberRecords = 0;
  std::int16_t nOtherRecords = 0;
  std::vector<std::string> cOtherRecords;
  std::int16_t nCommentLines = 0;
  std::vector<std::string> cCommentLines;
};
