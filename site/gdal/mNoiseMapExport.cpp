#include "site/gdal/mNoiseMapExport.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>

#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal.h>
#include <gdal_alg.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include "site/cNoiseGrid.h"
#include "site/mNoiseBands.h"

namespace mNoiseMapExport {

namespace {

namespace fs = std::filesystem;

void registerDrivers() {
  static std::once_flag once;
  std::call_once(once, [] { GDALAllRegister(); });
}

// GDAL's messages become ours: nothing on standard error while we work.
class cQuiet {
public:
  cQuiet() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~cQuiet() { CPLPopErrorHandler(); }
  cQuiet(const cQuiet&) = delete;
  cQuiet& operator=(const cQuiet&) = delete;
  static std::string last() {
    const char* t = CPLGetLastErrorMsg();
    return t && *t ? std::string(" (") + t + ")" : std::string();
  }
};

struct DatasetCloser {
  void operator()(void* ds) const {
    if (ds) GDALClose(ds);
  }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

struct SrsReleaser {
  void operator()(void* srs) const {
    if (srs) OSRRelease(srs);
  }
};
using Srs = std::unique_ptr<void, SrsReleaser>;

// Paths as UTF-8 text, and back.
std::string text(const fs::path& p) {
  const auto u = p.u8string();
  return std::string(u.begin(), u.end());
}
fs::path pathOf(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// The system of an EPSG code, or none for a local frame (0).
bool spatialReference(std::int32_t epsg, Srs& srs, std::string& error) {
  if (epsg == 0) return true;
  srs.reset(OSRNewSpatialReference(nullptr));
  if (!srs || OSRImportFromEPSG(srs.get(), epsg) != OGRERR_NONE) {
    error = "The coordinate system EPSG:" + std::to_string(epsg) + " is not known.";
    return false;
  }
  OSRSetAxisMappingStrategy(srs.get(), OAMS_TRADITIONAL_GIS_ORDER);
  return true;
}

void geoTransform(const cNoiseGrid& g, double t[6]) {
  t[0] = g.frame.xmin;
  t[1] = g.frame.cell;
  t[2] = 0;
  t[3] = g.frame.ymax;
  t[4] = 0;
  t[5] = -g.frame.cell;
}

// A file built under a temporary name beside the target, renamed over it
// when complete (with the sidecar files of a Shapefile).
class cStagedFile {
public:
  explicit cStagedFile(const std::string& target) : target_(pathOf(target)) {
    temp_ = target_;
    temp_.replace_filename(pathOf("." + text(target_.stem()) + ".vorn-new" + text(target_.extension())));
  }
  ~cStagedFile() {
    if (!committed_) removeAll(temp_);
  }
  cStagedFile(const cStagedFile&) = delete;
  cStagedFile& operator=(const cStagedFile&) = delete;
  std::string temp() const { return text(temp_); }
  bool copyTargetIn() {
    std::error_code ec;
    fs::copy_file(target_, temp_, fs::copy_options::overwrite_existing, ec);
    return !ec;
  }
  bool commit(std::string& error) {
    std::error_code ec;
    for (const auto& ext : siblings()) {
      fs::path from = temp_, to = target_;
      from.replace_extension(ext);
      to.replace_extension(ext);
      if (ext != text(temp_.extension()) && !fs::exists(from, ec)) {
        fs::remove(to, ec);  // an old sidecar this file no longer has
        continue;
      }
      fs::rename(from, to, ec);
      if (ec) {
        error = "The file " + text(target_) + " could not be replaced: " + ec.message() + ".";
        return false;
      }
    }
    committed_ = true;
    return true;
  }

private:
  std::vector<std::string> siblings() const {
    const std::string ext = text(temp_.extension());
    if (lower(ext) == ".shp") return {ext, ".shx", ".dbf", ".prj", ".cpg"};
    return {ext};
  }
  void removeAll(const fs::path& p) const {
    std::error_code ec;
    for (const auto& ext : siblings()) {
      fs::path f = p;
      f.replace_extension(ext);
      fs::remove(f, ec);
    }
  }
  fs::path target_, temp_;
  bool committed_ = false;
};

// The values in a raster of GDAL's memory driver, placed as the grid.
Dataset memoryRaster(const sMapLayer& layer) {
  const cNoiseGrid& g = *layer.grid;
  GDALDriverH mem = GDALGetDriverByName("MEM");
  if (!mem) return nullptr;
  Dataset ds(GDALCreate(mem, "", g.frame.columns, g.frame.rows, 1, GDT_Float32, nullptr));
  if (!ds) return nullptr;
  double t[6];
  geoTransform(g, t);
  GDALSetGeoTransform(ds.get(), t);
  GDALRasterBandH band = GDALGetRasterBand(ds.get(), 1);
  GDALSetRasterNoDataValue(band, cNoiseGrid::noData);
  if (GDALRasterIO(band, GF_Write, 0, 0, g.frame.columns, g.frame.rows, const_cast<float*>(layer.values->data()),
                   g.frame.columns, g.frame.rows, GDT_Float32, 0, 0) != CE_None)
    return nullptr;
  return ds;
}

bool validLayer(const sMapLayer& layer, std::string& error) {
  if (!layer.grid || !layer.values || layer.grid->frame.empty() ||
      layer.values->size() != layer.grid->frame.cellCount()) {
    error = "There is no noise map to write.";
    return false;
  }
  return true;
}

struct sBandScheme {
  std::vector<double> edges;  // lower edges, ascending
  int count;
  int (*bandOf)(float);
  std::string (*label)(int);
};

sBandScheme scheme(Bands b) {
  if (b == Bands::levels) {
    sBandScheme s{{}, mNoiseBands::count, &mNoiseBands::bandOf, &mNoiseBands::label};
    for (int i = 0; i < mNoiseBands::count; ++i) s.edges.push_back(mNoiseBands::lowerEdge(i));
    return s;
  }
  sBandScheme s{{}, mNoiseBands::exceedCount, &mNoiseBands::exceedBandOf, &mNoiseBands::exceedLabel};
  for (int i = 0; i < mNoiseBands::exceedCount; ++i) s.edges.push_back(mNoiseBands::exceedLowerEdge(i));
  return s;
}

// The band polygons GDAL's contouring gives, gathered into one multipolygon
// per band (bands without any cell are left out).
bool bandGeometries(const sMapLayer& layer, const sBandScheme& s, std::map<int, OGRGeometryH>& out,
                    std::string& error) {
  Dataset raster = memoryRaster(layer);
  GDALDriverH memVector = GDALGetDriverByName("Memory");
  Dataset vectors(memVector ? GDALCreate(memVector, "", 0, 0, 0, GDT_Unknown, nullptr) : nullptr);
  if (!raster || !vectors) {
    error = "There is not enough memory to draw the map's bands" + cQuiet::last() + ".";
    return false;
  }
  OGRLayerH contours = GDALDatasetCreateLayer(vectors.get(), "bands", nullptr, wkbMultiPolygon, nullptr);
  OGRFieldDefnH lo = OGR_Fld_Create("lo", OFTReal), hi = OGR_Fld_Create("hi", OFTReal);
  OGR_L_CreateField(contours, lo, TRUE);
  OGR_L_CreateField(contours, hi, TRUE);
  OGR_Fld_Destroy(lo);
  OGR_Fld_Destroy(hi);
  // The top band closes at a level above every cell.
  float top = s.edges.back();
  for (float v : *layer.values)
    if (v != cNoiseGrid::noData && std::isfinite(v)) top = std::max(top, v);
  std::vector<double> levels(s.edges.begin(), s.edges.end());
  levels.push_back(std::ceil(static_cast<double>(top)) + 1.0);
  std::string levelText;
  for (double e : levels) levelText += (levelText.empty() ? "" : ",") + std::to_string(e);
  char** options = nullptr;
  options = CSLSetNameValue(options, "FIXED_LEVELS", levelText.c_str());
  options = CSLSetNameValue(options, "POLYGONIZE", "YES");
  options = CSLSetNameValue(options, "ELEV_FIELD_MIN", "lo");
  options = CSLSetNameValue(options, "ELEV_FIELD_MAX", "hi");
  options = CSLSetNameValue(options, "NODATA", std::to_string(cNoiseGrid::noData).c_str());
  const CPLErr r = GDALContourGenerateEx(GDALGetRasterBand(raster.get(), 1), contours, options, nullptr, nullptr);
  CSLDestroy(options);
  if (r != CE_None) {
    error = "The map's bands could not be drawn" + cQuiet::last() + ".";
    return false;
  }
  OGR_L_ResetReading(contours);
  const int loIndex = OGR_L_FindFieldIndex(contours, "lo", TRUE);
  const int hiIndex = OGR_L_FindFieldIndex(contours, "hi", TRUE);
  while (OGRFeatureH f = OGR_L_GetNextFeature(contours)) {
    // A polygon lies between two levels. GDAL 3.6 fills only the first
    // field, with the upper level; others give both edges.
    const double lo = OGR_F_GetFieldAsDouble(f, loIndex);
    const bool both = OGR_F_IsFieldSetAndNotNull(f, hiIndex) && OGR_F_GetFieldAsDouble(f, hiIndex) > lo;
    double lower = lo;
    if (!both) {
      lower = -HUGE_VAL;
      for (std::size_t k = 1; k < levels.size(); ++k)
        if (std::fabs(levels[k] - lo) < 1e-6) lower = levels[k - 1];
    }
    // The polygon from the lowest cell up to the first edge holds no band.
    const int band = lower + 1e-3 < s.edges.front() ? -1 : s.bandOf(static_cast<float>(lower + 1e-3));
    OGRGeometryH g = OGR_F_GetGeometryRef(f);
    if (band >= 0 && g && !OGR_G_IsEmpty(g)) {
      OGRGeometryH multi = OGR_G_ForceToMultiPolygon(OGR_G_Clone(g));
      auto it = out.find(band);
      if (it == out.end()) {
        out[band] = multi;
      } else {
        for (int i = 0; i < OGR_G_GetGeometryCount(multi); ++i)
          OGR_G_AddGeometry(it->second, OGR_G_GetGeometryRef(multi, i));
        OGR_G_DestroyGeometry(multi);
      }
    }
    OGR_F_Destroy(f);
  }
  return true;
}

const char* driverName(Format f) {
  switch (f) {
    case Format::geojson:
      return "GeoJSON";
    case Format::shapefile:
      return "ESRI Shapefile";
    case Format::geopackage:
      return "GPKG";
    default:
      return "GTiff";
  }
}

}  // namespace

std::optional<Format> formatOf(const std::string& path) {
  const std::string ext = lower(text(pathOf(path).extension()));
  if (ext == ".tif" || ext == ".tiff") return Format::geotiff;
  if (ext == ".geojson" || ext == ".json") return Format::geojson;
  if (ext == ".shp") return Format::shapefile;
  if (ext == ".gpkg") return Format::geopackage;
  return std::nullopt;
}

bool writeGeoTiff(const sMapLayer& layer, const std::string& path, std::string& error) {
  if (!validLayer(layer, error)) return false;
  registerDrivers();
  cQuiet quiet;
  Srs srs;
  if (!spatialReference(layer.epsg, srs, error)) return false;
  GDALDriverH drv = GDALGetDriverByName("GTiff");
  if (!drv) {
    error = "GeoTIFF files cannot be written here.";
    return false;
  }
  cStagedFile staged(path);
  const cNoiseGrid& g = *layer.grid;
  {
    const char* options[] = {"COMPRESS=DEFLATE", "PREDICTOR=3", "TILED=YES", nullptr};
    Dataset ds(GDALCreate(drv, staged.temp().c_str(), g.frame.columns, g.frame.rows, 1, GDT_Float32,
                          const_cast<char**>(options)));
    if (!ds) {
      error = "The file " + path + " could not be written" + cQuiet::last() + ".";
      return false;
    }
    double t[6];
    geoTransform(g, t);
    GDALSetGeoTransform(ds.get(), t);
    if (srs) GDALSetSpatialRef(ds.get(), srs.get());
    GDALRasterBandH band = GDALGetRasterBand(ds.get(), 1);
    GDALSetRasterNoDataValue(band, cNoiseGrid::noData);
    if (!layer.description.empty()) GDALSetDescription(band, layer.description.c_str());
    if (GDALRasterIO(band, GF_Write, 0, 0, g.frame.columns, g.frame.rows, const_cast<float*>(layer.values->data()),
                     g.frame.columns, g.frame.rows, GDT_Float32, 0, 0) != CE_None) {
      error = "The file " + path + " could not be written" + cQuiet::last() + ".";
      return false;
    }
    GDALFlushCache(ds.get());
    if (CPLGetLastErrorType() >= CE_Failure) {
      error = "The file " + path + " could not be written" + cQuiet::last() + ".";
      return false;
    }
  }
  return staged.commit(error);
}

bool writeBandPolygons(const sMapLayer& layer, const std::string& path, Format format, std::string& error) {
  if (!validLayer(layer, error)) return false;
  if (format == Format::geotiff) return writeGeoTiff(layer, path, error);
  registerDrivers();
  cQuiet quiet;
  Srs srs;
  if (!spatialReference(layer.epsg, srs, error)) return false;
  const sBandScheme s = scheme(layer.bands);
  std::map<int, OGRGeometryH> bands;
  struct Release {
    std::map<int, OGRGeometryH>& m;
    ~Release() {
      for (auto& [b, g] : m) OGR_G_DestroyGeometry(g);
    }
  } release{bands};
  if (!bandGeometries(layer, s, bands, error)) return false;

  GDALDriverH drv = GDALGetDriverByName(driverName(format));
  if (!drv) {
    error = std::string(driverName(format)) + " files cannot be written here.";
    return false;
  }
  cStagedFile staged(path);
  std::error_code ec;
  const bool update = format == Format::geopackage && fs::exists(pathOf(path), ec);
  if (update && !staged.copyTargetIn()) {
    error = "The file " + path + " could not be read.";
    return false;
  }
  {
    Dataset ds(update ? GDALOpenEx(staged.temp().c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, nullptr, nullptr, nullptr)
                      : GDALCreate(drv, staged.temp().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) {
      error = "The file " + path + " could not be written" + cQuiet::last() + ".";
      return false;
    }
    // A map written before under this name gives way to the new one.
    for (int i = GDALDatasetGetLayerCount(ds.get()) - 1; i >= 0; --i)
      if (layer.name == OGR_L_GetName(GDALDatasetGetLayer(ds.get(), i))) GDALDatasetDeleteLayer(ds.get(), i);
    OGRLayerH out = GDALDatasetCreateLayer(ds.get(), layer.name.c_str(), srs.get(), wkbMultiPolygon, nullptr);
    if (!out) {
      error = "The file " + path + " could not be written" + cQuiet::last() + ".";
      return false;
    }
    OGRFieldDefnH fb = OGR_Fld_Create(bandField, OFTString);
    OGRFieldDefnH fl = OGR_Fld_Create(lowField, OFTReal);
    OGRFieldDefnH fh = OGR_Fld_Create(highField, OFTReal);
    OGR_L_CreateField(out, fb, TRUE);
    OGR_L_CreateField(out, fl, TRUE);
    OGR_L_CreateField(out, fh, TRUE);
    OGR_Fld_Destroy(fb);
    OGR_Fld_Destroy(fl);
    OGR_Fld_Destroy(fh);
    OGRFeatureDefnH defn = OGR_L_GetLayerDefn(out);
    for (const auto& [band, geometry] : bands) {
      OGRFeatureH f = OGR_F_Create(defn);
      OGR_F_SetFieldString(f, OGR_FD_GetFieldIndex(defn, bandField), s.label(band).c_str());
      OGR_F_SetFieldDouble(f, OGR_FD_GetFieldIndex(defn, lowField), s.edges[static_cast<std::size_t>(band)]);
      if (band + 1 < s.count)
        OGR_F_SetFieldDouble(f, OGR_FD_GetFieldIndex(defn, highField), s.edges[static_cast<std::size_t>(band) + 1]);
      OGR_F_SetGeometry(f, geometry);
      const OGRErr r = OGR_L_CreateFeature(out, f);
      OGR_F_Destroy(f);
      if (r != OGRERR_NONE) {
        error = "The file " + path + " could not be written" + cQuiet::last() + ".";
        return false;
      }
    }
    GDALFlushCache(ds.get());
  }
  return staged.commit(error);
}

bool write(const sMapLayer& layer, const std::string& path, std::string& error) {
  const auto format = formatOf(path);
  if (!format) {
    error = "The map can be written as a GeoTIFF (.tif), GeoJSON (.geojson), Shapefile (.shp) or GeoPackage (.gpkg).";
    return false;
  }
  return *format == Format::geotiff ? writeGeoTiff(layer, path, error) : writeBandPolygons(layer, path, *format, error);
}

}  // namespace mNoiseMapExport
