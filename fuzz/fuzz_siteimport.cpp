// cSiteLayers::read: an imported layer, whatever its format; the first byte
// chooses the suffix the file is given (GeoJSON, CSV, DXF).

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "site/gdal/cSiteLayers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char* suffixes[] = {".geojson", ".csv", ".dxf"};
  FuzzFile file(data + 1, size - 1, suffixes[data[0] % 3]);
  cSiteLayers layers;
  std::string problem;
  (void)layers.read(file.name(), problem);
  return 0;
}
