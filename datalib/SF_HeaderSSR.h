#pragma once
// The keyword header of a single spectrum record file.

#include <memory>
#include <string>
#include <vector>

#include "SF_Time.h"

class SF_HeaderSSR {
public:
  std::vector<std::string> cCommentLines;
  std::string sFileName;
  std::shared_ptr<SF_Time> sfFileDateTime = std::make_shared<SF_Time>();
};
