#pragma once
// Imports into the site plan from the files consultants already have: a
// GeoJSON, Shapefile, GeoPackage, DXF or CSV (x, y, description) layer as
// receptors, equipment or barriers, and a background picture.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "site/gdal/cSiteLayers.h"

class cStudy;

namespace mSiteImport {

struct sImportCount {
  int matched = 0;   // existing records placed by their description
  int appended = 0;  // new records (or barriers) added
};

// Reads every feature of the file as `kind` and applies it to the study as
// one undoable edit: a receptor or piece of equipment whose description
// matches an existing one's places it, any other is appended. False with the
// problem, and the study unchanged, when the file cannot be used.
bool importLayer(cStudy& study, const std::string& path, SiteLayerKind kind, sImportCount& count,
                 std::string& problem);

// A picture for the plan's background, as 8-bit RGBA rows, with its
// placement when the file carries one (a GeoTIFF, or a world file beside a
// PNG or JPEG). Pictures over maxPixels are refused.
struct sPicture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  bool placed = false;
  std::array<double, 6> transform{0, 1, 0, 0, 0, -1};
};
bool readPicture(const std::string& path, sPicture& picture, std::string& problem,
                 long long maxPixels = 64ll * 1024 * 1024);

}  // namespace mSiteImport
