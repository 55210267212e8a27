#pragma once
// The noise map written for a GIS, through GDAL: the grid of one layer as a
// GeoTIFF (32-bit floats, the values to the bit, noData marked, the plan's
// coordinate system where it has one), and its 5 dB bands as filled
// polygons, one feature per band with the band's label and edges, into a
// GeoJSON file, a Shapefile or a layer of a GeoPackage. Every file is built
// beside its target and renamed over it when complete; a GeoPackage that
// exists keeps its other layers.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class cNoiseGrid;

namespace mNoiseMapExport {

enum class Format { geotiff, geojson, shapefile, geopackage };
// By the name's suffix (.tif/.tiff, .geojson/.json, .shp, .gpkg), in any case.
std::optional<Format> formatOf(const std::string& path);

// Which bands the polygons follow: levels (35 to 80+ dB) or exceedances
// (over by 0 to 5 ... 20+ dB).
enum class Bands { levels, exceedance };

struct sMapLayer {
  const cNoiseGrid* grid = nullptr;
  const std::vector<float>* values = nullptr;  // one of the grid's layers, or an exceedance of it
  std::int32_t epsg = 0;                       // 0: a local frame, written without a system
  Bands bands = Bands::levels;
  std::string name = "noise_map";  // the vector layer's name (a GeoPackage's layer)
  std::string description;         // e.g. "Lmax" or "Leq over the Residential daytime limit"
};

// False with the reason (a sentence for a message box) when nothing was written.
bool writeGeoTiff(const sMapLayer& layer, const std::string& path, std::string& error);
bool writeBandPolygons(const sMapLayer& layer, const std::string& path, Format format, std::string& error);
// Whichever the path's suffix asks for.
bool write(const sMapLayer& layer, const std::string& path, std::string& error);

// The band attribute's field names.
inline constexpr const char* bandField = "band";
inline constexpr const char* lowField = "low_db";
inline constexpr const char* highField = "high_db";

}  // namespace mNoiseMapExport
