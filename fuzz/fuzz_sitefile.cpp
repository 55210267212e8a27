// cGeoPackageSiteFile::read: a site file beside a case read into a study.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "site/gdal/cGeoPackageSiteFile.h"
#include "site/mSitePlan.h"
#include "study/cStudy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".gpkg");
  cStudy study;
  for (int i = 1; i <= 3; ++i) study.addReceptor(i)->description = "R" + std::to_string(i);
  for (int i = 1; i <= 3; ++i) study.addEquipment(i)->description = "E" + std::to_string(i);
  study.updateLinks();
  std::string problem;
  if (cGeoPackageSiteFile().read(file.name(), study, problem)) mSitePlan::applyToLinks(study);
  return 0;
}
