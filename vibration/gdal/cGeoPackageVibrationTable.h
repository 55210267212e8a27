#pragma once
// The vibration settings as the table "vibration_settings" of the site
// GeoPackage beside a case: a table without geometry, one row a line of
// the .vib file (columns of mVibrationFile::tableColumns; "number" is an
// integer, the others text). Writing copies the GeoPackage beside itself,
// replaces the table in the copy and renames the copy over the file, so a
// failed write leaves the site file as it was.

#include "vibration/IVibrationTable.h"

class cGeoPackageVibrationTable : public IVibrationTable {
public:
  static constexpr const char* kLayer = "vibration_settings";
  // Rows beyond this make the table unreadable (a hostile file).
  static constexpr std::size_t kMaxRows = 100000;

  Status read(const std::string& path, std::vector<mVibrationFile::TableRow>& rows, std::string& problem) override;
  bool write(const std::string& path, const std::vector<mVibrationFile::TableRow>& rows, std::string& problem) override;
};
