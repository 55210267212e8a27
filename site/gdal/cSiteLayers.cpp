#include "site/gdal/cSiteLayers.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "site/gdal/mGdal.h"
#include "site/mCsvColumns.h"
#include "site/mDxfText.h"

namespace {

struct DatasetCloser {
  void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

std::string lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::optional<SiteLayerKind> kindFromName(const std::string& name) {
  const std::string n = lower(name);
  if (n == "receptors" || n == "receptor") return SiteLayerKind::Receptors;
  if (n == "equipment") return SiteLayerKind::Equipment;
  if (n == "barriers" || n == "barrier") return SiteLayerKind::Barriers;
  return std::nullopt;
}

int fieldIndex(OGRFeatureDefn* defn, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const int i = defn->GetFieldIndex(name);
    if (i >= 0) return i;
  }
  return -1;
}

bool finite(double v) { return std::isfinite(v) && std::fabs(v) < 1e12; }

class LayerReader {
public:
  LayerReader(cSiteLayers& out, std::string& problem, std::optional<SiteLayerKind> only)
      : out_(out), problem_(problem), only_(only) {}

  bool readLayer(OGRLayer& layer) {
    OGRFeatureDefn* defn = layer.GetLayerDefn();
    if (lower(layer.GetName()) == "settings") return readSettings(layer, defn);
    const std::optional<SiteLayerKind> layerKind = only_ ? only_ : kindFromName(layer.GetName());
    const int kindField = fieldIndex(defn, {"kind", "Kind", "KIND"});
    const int dxfLayerField = fieldIndex(defn, {"Layer"});
    const int numberField = fieldIndex(defn, {"number", "Number", "NUMBER", "id_number"});
    const int descriptionField =
        fieldIndex(defn, {"description", "Description", "DESCRIPTION", "desc", "name", "Name", "NAME", "label", "Text"});
    const int nameField = fieldIndex(defn, {"name", "Name", "NAME", "description", "Description", "Text"});
    const int heightField = fieldIndex(defn, {"height", "Height", "HEIGHT"});
    const int topField = fieldIndex(defn, {"top_height", "topHeight", "TOP_HEIGHT", "height", "Height", "HEIGHT"});
    layer.ResetReading();
    for (OGRFeatureUniquePtr f(layer.GetNextFeature()); f; f.reset(layer.GetNextFeature())) {
      if (++features_ > cSiteLayers::kMaxFeatures) return fail("the file holds more than 100000 features");
      std::optional<SiteLayerKind> kind = layerKind;
      if (!kind && kindField >= 0) kind = kindFromName(f->GetFieldAsString(kindField));
      if (!kind && dxfLayerField >= 0) kind = kindFromName(f->GetFieldAsString(dxfLayerField));
      const OGRGeometry* g = f->GetGeometryRef();
      if (!g || g->IsEmpty()) continue;
      const OGRwkbGeometryType flat = wkbFlatten(g->getGeometryType());
      const bool linear = flat == wkbLineString || flat == wkbMultiLineString || flat == wkbPolygon ||
                          flat == wkbMultiPolygon;
      if (!kind) {
        if (flat == wkbLineString || flat == wkbMultiLineString) kind = SiteLayerKind::Barriers;
        else continue;  // a point of no known kind: nothing to place
      }
      if (*kind == SiteLayerKind::Barriers) {
        if (!linear) continue;
        const double top = topField >= 0 ? f->GetFieldAsDouble(topField) : 0.0;
        if (!finite(top)) return fail("a barrier has a top height that is not a number");
        const std::string name = nameField >= 0 ? f->GetFieldAsString(nameField) : std::string();
        if (!addBarrierLines(*g, name, top)) return false;
        continue;
      }
      cSiteFeature feature;
      if (numberField >= 0 && f->IsFieldSetAndNotNull(numberField)) {
        const long long n = f->GetFieldAsInteger64(numberField);
        if (n >= 1 && n <= 32767) feature.number = static_cast<std::int32_t>(n);
      }
      if (descriptionField >= 0) feature.description = f->GetFieldAsString(descriptionField);
      if (!pointOf(*g, feature.position)) continue;
      feature.position.height = heightField >= 0 ? f->GetFieldAsDouble(heightField) : 0.0;
      if (!finite(feature.position.x) || !finite(feature.position.y) || !finite(feature.position.height))
        return fail("a position is not a number");
      (*kind == SiteLayerKind::Receptors ? out_.receptors : out_.equipment).push_back(std::move(feature));
    }
    return true;
  }

private:
  bool fail(const std::string& text) {
    problem_ = text;
    return false;
  }

  bool readSettings(OGRLayer& layer, OGRFeatureDefn* defn) {
    const int key = defn->GetFieldIndex("key"), value = defn->GetFieldIndex("value");
    if (key < 0 || value < 0) return fail("the settings table has no key and value");
    layer.ResetReading();
    for (OGRFeatureUniquePtr f(layer.GetNextFeature()); f; f.reset(layer.GetNextFeature())) {
      if (++features_ > cSiteLayers::kMaxFeatures) return fail("the file holds more than 100000 features");
      out_.settings[f->GetFieldAsString(key)] = f->GetFieldAsString(value);
    }
    return true;
  }

  static bool pointOf(const OGRGeometry& g, cSitePosition& p) {
    const OGRwkbGeometryType flat = wkbFlatten(g.getGeometryType());
    if (flat == wkbPoint) {
      const auto* pt = g.toPoint();
      p.x = pt->getX();
      p.y = pt->getY();
      return true;
    }
    OGRPoint centroid;
    if (g.Centroid(&centroid) != OGRERR_NONE || centroid.IsEmpty()) return false;
    p.x = centroid.getX();
    p.y = centroid.getY();
    return true;
  }

  bool addLine(const OGRSimpleCurve& line, const std::string& name, double top) {
    const int n = line.getNumPoints();
    if (n < 2) return true;
    if (static_cast<std::size_t>(n) > cSiteLayers::kMaxBarrierPoints) return fail("a barrier has too many points");
    cBarrier barrier{name, {}, top};
    barrier.points.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      const double x = line.getX(i), y = line.getY(i);
      if (!finite(x) || !finite(y)) return fail("a barrier point is not a number");
      barrier.points.push_back({x, y});
    }
    out_.barriers.push_back(std::move(barrier));
    return true;
  }

  bool addBarrierLines(const OGRGeometry& g, const std::string& name, double top) {
    switch (wkbFlatten(g.getGeometryType())) {
      case wkbLineString: return addLine(*g.toLineString(), name, top);
      case wkbPolygon: {
        const OGRLinearRing* ring = g.toPolygon()->getExteriorRing();
        return ring ? addLine(*ring, name, top) : true;
      }
      case wkbMultiLineString:
      case wkbMultiPolygon: {
        const OGRGeometryCollection* parts = g.toGeometryCollection();
        for (int i = 0; i < parts->getNumGeometries(); ++i)
          if (!addBarrierLines(*parts->getGeometryRef(i), name, top)) return false;
        return true;
      }
      default: return true;
    }
  }

  cSiteLayers& out_;
  std::string& problem_;
  std::optional<SiteLayerKind> only_;
  std::size_t features_ = 0;
};

}  // namespace

bool cSiteLayers::read(const std::string& path, std::string& problem, std::optional<SiteLayerKind> only) {
  *this = cSiteLayers();
  problem = mGdal::fileProblem(path);
  if (!problem.empty()) return false;
  mGdal::registerDrivers();
  const mGdal::cQuietErrors quiet;
  static const char* const drivers[] = {"GPKG", "GeoJSON", "ESRI Shapefile", "DXF", "CSV", nullptr};
  static const char* const csvOptions[] = {"X_POSSIBLE_NAMES=x,X,easting,Easting", "Y_POSSIBLE_NAMES=y,Y,northing,Northing",
                                           "KEEP_GEOM_COLUMNS=NO", nullptr};
  // A file the DXF reader would take, whatever its name, is checked first:
  // some damaged ones keep that reader going round for ever.
  static const char* const dxfOnly[] = {"DXF", nullptr};
  if (GDALIdentifyDriverEx(path.c_str(), GDAL_OF_VECTOR, dxfOnly, nullptr) && !mDxfText::wellFormed(path, problem))
    return false;
  // And a CSV whose heading names the x or the y column twice.
  static const char* const csvOnly[] = {"CSV", nullptr};
  if (GDALIdentifyDriverEx(path.c_str(), GDAL_OF_VECTOR, csvOnly, nullptr) && !mCsvColumns::namedOnce(path, problem))
    return false;
  DatasetPtr ds(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, csvOptions, nullptr));
  if (!ds) {
    problem = "it is not a GeoPackage, GeoJSON, Shapefile, DXF or CSV file";
    return false;
  }
  LayerReader reader(*this, problem, only);
  for (int i = 0; i < ds->GetLayerCount(); ++i) {
    OGRLayer* layer = ds->GetLayer(i);
    if (!layer) continue;
    if (i == 0 || epsg == 0) {
      if (const OGRSpatialReference* srs = layer->GetSpatialRef()) {
        const char* code = srs->GetAuthorityCode(nullptr);
        const char* authority = srs->GetAuthorityName(nullptr);
        if (code && authority && std::string(authority) == "EPSG") epsg = std::atoi(code);
      }
    }
    if (!reader.readLayer(*layer)) {
      const std::string why = problem;
      *this = cSiteLayers();
      problem = why;
      return false;
    }
  }
  if (const std::string gdalProblem = mGdal::cQuietErrors::lastError();
      receptors.empty() && equipment.empty() && barriers.empty() && settings.empty() && !gdalProblem.empty()) {
    problem = gdalProblem;
    return false;
  }
  return true;
}
