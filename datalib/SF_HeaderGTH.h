#pragma once
// The keyword header of a geometric time history file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SF_Position.h"
#include "SF_Time.h"

class SF_HeaderGTH {
public:
  std::string FileType;
  std::string GTHFileName;
  std::shared_ptr<SF_Time> GTHFileDateTime = std::make_shared<SF_Time>();
  std::string ProjectName;
  std::string GeneratedBy;
  std::string MicrophoneID;
  std::shared_ptr<SF_Position> MicrophonePosition = std::make_shared<SF_Position>();
  float Temperature = 0.0f;
  std::string STHFileName;
  // "date,time" texts of the source files. On writing, a value that names an
  // existing file gives that file's date and time; a "date,time" text is kept.
  std::string STHFileDateTime;
  std::string PTHFileName;
  std::string PTHFileDateTime;
  std::string MICFileName;
  std::string MICFileDateTime;
  std::int32_t NumberRecords = 0;
  std::int16_t OtherRecords = 0;
  std::vector<std::string> colOtherRecords;
  std::int16_t nCommentLines = 0;
  std::vector<std::string> colCommentLines;
};
