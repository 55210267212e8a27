#pragma once
// The site file store of a build without GDAL (the Windows build): every
// read and write fails, saying that site plans are not available here.

#include "site/ISiteFile.h"

class cUnavailableSiteFile : public ISiteFile {
public:
  static constexpr const char* kNotAvailable = "site plans are not available in this build of VORN";
  bool read(const std::string& path, cStudy& study, std::string& problem) override;
  bool write(const std::string& path, const cStudy& study, std::string& problem) override;
};
