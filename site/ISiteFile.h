#pragma once
// The site file beside a case, as the core sees it: read the plan into the
// study, or write the study's plan. The GeoPackage store (site/gdal) is the
// implementation; a build without it has none, and says so where asked.

#include <string>

class cStudy;

class ISiteFile {
public:
  virtual ~ISiteFile() = default;
  // Reads the plan at path into the study's records (matched by number) and
  // its sitePlan. On false, `problem` says why and the study is unchanged.
  virtual bool read(const std::string& path, cStudy& study, std::string& problem) = 0;
  // Writes the study's plan to path, replacing the old file only when the
  // new one is complete. On false, `problem` says why; the old file is whole.
  virtual bool write(const std::string& path, const cStudy& study, std::string& problem) = 0;
};
