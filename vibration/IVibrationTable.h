#pragma once
// The vibration settings kept as a table inside the site file beside a
// case (a GeoPackage, vibration/gdal), as the core sees it. A build without
// site files has none: its cases keep their vibration settings in the
// small text file of mVibrationFile.

#include <string>
#include <vector>

#include "vibration/mVibrationFile.h"

class IVibrationTable {
public:
  enum class Status { missing, read, unreadable };
  virtual ~IVibrationTable() = default;
  // The rows of the table in the site file at path, in order. Missing when
  // there is no such file or it has no vibration table; unreadable, with
  // `problem` saying why, when the file or the table cannot be read.
  virtual Status read(const std::string& path, std::vector<mVibrationFile::TableRow>& rows, std::string& problem) = 0;
  // Puts the rows in the site file at path (which is there) in place of its
  // vibration table, leaving every other layer as it was; the file is
  // replaced only when the new one is complete. On false, `problem` says why.
  virtual bool write(const std::string& path, const std::vector<mVibrationFile::TableRow>& rows,
                     std::string& problem) = 0;
};
