#pragma once
// Reads a "Microphone Position File": a keyword header and one data line with
// the microphone's X, Y, Z and height.

#include <memory>
#include <string>

#include "SF_DataMessage.h"
#include "SF_HeaderMIC.h"
#include "SF_Microphone.h"

class SF_DataMIC {
public:
  // New header and microphone on success; on failure both are left as they were.
  SF_DataMessage readFile(const std::string& sFileName, std::shared_ptr<SF_HeaderMIC>& sfHeader,
                          std::shared_ptr<SF_Microphone>& MIC);
};
