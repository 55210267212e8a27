// cGeoPackageVibrationTable::read: the vibration table of a site file
// beside a case, its rows then read as settings.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "study/cStudy.h"
#include "vibration/cVibrationSettings.h"
#include "vibration/gdal/cGeoPackageVibrationTable.h"
#include "vibration/mVibrationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".gpkg");
  std::vector<mVibrationFile::TableRow> rows;
  std::string problem;
  if (cGeoPackageVibrationTable().read(file.name(), rows, problem) != IVibrationTable::Status::read) return 0;
  cVibrationSettings settings;
  if (!mVibrationFile::readTableRows(rows, settings)) return 0;
  cStudy study;
  for (int i = 1; i <= 3; ++i) study.addReceptor(i)->description = "R" + std::to_string(i);
  mVibrationFile::buildTableRows(settings, study);
  return 0;
}
