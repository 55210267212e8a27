#pragma once
// The site plan kept beside a case as a GeoPackage: point layers
// "receptors" and "equipment" (number, description, height above ground),
// a line layer "barriers" (name, top height) and a table "settings" (units,
// frame, background, links kept at typed shielding). Any GIS program shows
// it; coordinates are in the case's units, in the named EPSG frame or in a
// local one.
//
// Writing builds the whole file beside the target and renames it over the
// target when complete. GDAL stamps each write with the time, so a file
// written twice differs in its bytes: callers leave an unedited plan's file
// alone instead (mSiteFile).

#include "site/ISiteFile.h"

class cGeoPackageSiteFile : public ISiteFile {
public:
  // Reads our GeoPackage, or any file cSiteLayers reads; features are
  // matched to records by number, else by description.
  bool read(const std::string& path, cStudy& study, std::string& problem) override;
  bool write(const std::string& path, const cStudy& study, std::string& problem) override;
};
