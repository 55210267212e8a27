#include "site/gdal/cGeoPackageSiteFile.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <memory>
#include <set>
#include <system_error>

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include "compute/mCompute.h"
#include "site/gdal/cSiteLayers.h"
#include "site/gdal/mGdal.h"
#include "study/cStudy.h"

namespace {

constexpr const char* kFormat = "VORN site plan 1";

struct DatasetCloser {
  void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

std::string number(double v) {
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, r.ptr);
}

bool parseNumber(const std::string& text, double& v) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  return r.ec == std::errc() && r.ptr == text.data() + text.size() && std::isfinite(v);
}

bool parseInt(const std::string& text, long& v) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

// The settings of the file, checked, in the case's units.
struct Settings {
  bool feet = true;
  std::int32_t epsg = 0;
  cSiteBackground background;
  std::set<std::pair<long, long>> typedShielding;  // (receptor, equipment)
};

bool readSettings(const cSiteLayers& layers, Settings& s, std::string& problem) {
  const auto get = [&layers](const char* key) {
    const auto it = layers.settings.find(key);
    return it == layers.settings.end() ? std::string() : it->second;
  };
  const std::string units = get("units");
  if (!units.empty() && units != "feet" && units != "meters") {
    problem = "its units are neither feet nor meters";
    return false;
  }
  s.feet = units != "meters";
  long epsg = layers.epsg;
  if (const std::string e = get("epsg"); !e.empty() && (!parseInt(e, epsg) || epsg < 0 || epsg > 999999)) {
    problem = "its EPSG code is not a number";
    return false;
  }
  s.epsg = static_cast<std::int32_t>(epsg);
  s.background.path = get("background");
  if (const std::string t = get("background_transform"); !t.empty()) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < 6; ++i) {
      const std::size_t to = i < 5 ? t.find(' ', from) : t.size();
      if (to == std::string::npos || !parseNumber(t.substr(from, to - from), s.background.transform[i])) {
        problem = "the background's placement is damaged";
        return false;
      }
      from = to + 1;
    }
  }
  const std::string typed = get("typed_shielding");
  std::size_t from = 0;
  while (from < typed.size()) {
    std::size_t to = typed.find(' ', from);
    if (to == std::string::npos) to = typed.size();
    const std::string pair = typed.substr(from, to - from);
    const std::size_t dash = pair.find('-');
    long r = 0, e = 0;
    if (dash == std::string::npos || !parseInt(pair.substr(0, dash), r) || !parseInt(pair.substr(dash + 1), e)) {
      problem = "its list of typed shieldings is damaged";
      return false;
    }
    s.typedShielding.insert({r, e});
    from = to + 1;
  }
  return true;
}

// The record a feature names: by number when it has one, else by description.
template <class Record>
std::shared_ptr<Record> match(const std::vector<std::shared_ptr<Record>>& records, const cSiteFeature& f) {
  if (f.number) {
    const auto i = static_cast<std::size_t>(*f.number);
    return i >= 1 && i <= records.size() ? records[i - 1] : nullptr;
  }
  for (const auto& r : records)
    if (!f.description.empty() && r->description == f.description) return r;
  return nullptr;
}

double convert(double v, bool fromFeet, std::int32_t caseUnits) {
  const bool caseFeet = caseUnits == 0;
  if (fromFeet == caseFeet) return v;
  return caseFeet ? mCompute::metersToFeet(v) : mCompute::feetToMeters(v);
}

bool addPointLayer(GDALDataset& ds, const char* name, OGRSpatialReference* srs, std::string& problem,
                   OGRLayer*& layer) {
  const char* options[] = {"SPATIAL_INDEX=NO", nullptr};
  layer = ds.CreateLayer(name, srs, wkbPoint, const_cast<char**>(options));
  if (!layer) {
    problem = "the layer " + std::string(name) + " cannot be created";
    return false;
  }
  OGRFieldDefn numberField("number", OFTInteger);
  OGRFieldDefn description("description", OFTString);
  OGRFieldDefn height("height", OFTReal);
  return layer->CreateField(&numberField) == OGRERR_NONE && layer->CreateField(&description) == OGRERR_NONE &&
         layer->CreateField(&height) == OGRERR_NONE;
}

bool addPoint(OGRLayer& layer, std::int32_t id, const std::string& description, const cSitePosition& p) {
  OGRFeature feature(layer.GetLayerDefn());
  feature.SetField("number", id);
  feature.SetField("description", description.c_str());
  feature.SetField("height", p.height);
  OGRPoint point(p.x, p.y);
  feature.SetGeometry(&point);
  return layer.CreateFeature(&feature) == OGRERR_NONE;
}

bool writeAll(GDALDataset& ds, const cStudy& study, std::string& problem) {
  std::unique_ptr<OGRSpatialReference> srs;
  if (study.sitePlan.epsg != 0) {
    srs = std::make_unique<OGRSpatialReference>();
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (srs->importFromEPSG(study.sitePlan.epsg) != OGRERR_NONE) {
      problem = "EPSG:" + std::to_string(study.sitePlan.epsg) + " is not a coordinate reference system known here";
      return false;
    }
  }
  OGRLayer* receptors = nullptr;
  OGRLayer* equipment = nullptr;
  if (!addPointLayer(ds, "receptors", srs.get(), problem, receptors)) return false;
  if (!addPointLayer(ds, "equipment", srs.get(), problem, equipment)) return false;
  std::string typed;
  for (const auto& r : study.colReceptors) {
    if (r->position && !addPoint(*receptors, r->rowID, r->description, *r->position)) return false;
    for (const auto& link : r->colLinks)
      if (link->typedShielding)
        typed += (typed.empty() ? "" : " ") + std::to_string(r->rowID) + "-" + std::to_string(link->equipID);
  }
  for (const auto& e : study.colEquipment)
    if (e->position && !addPoint(*equipment, e->rowID, e->description, *e->position)) return false;

  const char* options[] = {"SPATIAL_INDEX=NO", nullptr};
  OGRLayer* barriers = ds.CreateLayer("barriers", srs.get(), wkbLineString, const_cast<char**>(options));
  if (!barriers) return false;
  OGRFieldDefn name("name", OFTString);
  OGRFieldDefn top("top_height", OFTReal);
  if (barriers->CreateField(&name) != OGRERR_NONE || barriers->CreateField(&top) != OGRERR_NONE) return false;
  for (const cBarrier& b : study.sitePlan.barriers) {
    OGRFeature feature(barriers->GetLayerDefn());
    feature.SetField("name", b.name.c_str());
    feature.SetField("top_height", b.topHeight);
    OGRLineString line;
    for (const cSitePoint& p : b.points) line.addPoint(p.x, p.y);
    feature.SetGeometry(&line);
    if (barriers->CreateFeature(&feature) != OGRERR_NONE) return false;
  }

  OGRLayer* settings = ds.CreateLayer("settings", nullptr, wkbNone, nullptr);
  if (!settings) return false;
  OGRFieldDefn key("key", OFTString);
  OGRFieldDefn value("value", OFTString);
  if (settings->CreateField(&key) != OGRERR_NONE || settings->CreateField(&value) != OGRERR_NONE) return false;
  std::string transform;
  for (double t : study.sitePlan.background.transform) transform += (transform.empty() ? "" : " ") + number(t);
  const std::pair<const char*, std::string> rows[] = {
      {"format", kFormat},
      {"units", study.units == 0 ? "feet" : "meters"},
      {"epsg", std::to_string(study.sitePlan.epsg)},
      {"background", study.sitePlan.background.path},
      {"background_transform", transform},
      {"typed_shielding", typed},
  };
  for (const auto& [k, v] : rows) {
    OGRFeature feature(settings->GetLayerDefn());
    feature.SetField("key", k);
    feature.SetField("value", v.c_str());
    if (settings->CreateFeature(&feature) != OGRERR_NONE) return false;
  }
  return true;
}

}  // namespace

bool cGeoPackageSiteFile::read(const std::string& path, cStudy& study, std::string& problem) try {
  cSiteLayers layers;
  if (!layers.read(path, problem)) return false;
  Settings settings;
  if (!readSettings(layers, settings, problem)) return false;
  // Everything is checked and converted first; the study changes at the end, whole.
  const auto place = [&](const cSiteFeature& f) {
    return cSitePosition{convert(f.position.x, settings.feet, study.units),
                         convert(f.position.y, settings.feet, study.units),
                         convert(f.position.height, settings.feet, study.units)};
  };
  std::vector<std::pair<std::shared_ptr<cReceptorRecord>, cSitePosition>> receptors;
  for (const auto& f : layers.receptors)
    if (auto r = match(study.colReceptors, f)) receptors.emplace_back(r, place(f));
  std::vector<std::pair<std::shared_ptr<cEquipmentRecord>, cSitePosition>> equipment;
  for (const auto& f : layers.equipment)
    if (auto e = match(study.colEquipment, f)) equipment.emplace_back(e, place(f));
  cSitePlan plan;
  plan.epsg = settings.epsg;
  plan.background = settings.background;
  plan.barriers = layers.barriers;
  if (settings.feet != (study.units == 0)) plan.convertUnits(study.units != 0);

  for (const auto& r : study.colReceptors) r->position.reset();
  for (const auto& e : study.colEquipment) e->position.reset();
  for (auto& [r, p] : receptors) r->position = p;
  for (auto& [e, p] : equipment) e->position = p;
  for (const auto& r : study.colReceptors)
    for (const auto& link : r->colLinks) link->typedShielding = settings.typedShielding.count({r->rowID, link->equipID}) > 0;
  plan.savedFingerprint = std::move(study.sitePlan.savedFingerprint);
  study.sitePlan = std::move(plan);
  return true;
} catch (const std::exception&) {
  problem = "there is not enough memory to read it";
  return false;
}

bool cGeoPackageSiteFile::write(const std::string& path, const cStudy& study, std::string& problem) try {
  mGdal::registerDrivers();
  const mGdal::cQuietErrors quiet;
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
  if (!driver) {
    problem = "GDAL has no GeoPackage driver";
    return false;
  }
  namespace fs = std::filesystem;
  const fs::path target = fs::path(path);
  const fs::path part = fs::path(path + ".saving.gpkg");
  std::error_code ec;
  fs::remove(part, ec);
  bool written = false;
  {
    DatasetPtr ds(driver->Create(part.string().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) {
      problem = "the file cannot be created (" + mGdal::cQuietErrors::lastError() + ")";
      return false;
    }
    written = writeAll(*ds, study, problem);
    if (written) ds->FlushCache(true);
    if (written && CPLGetLastErrorType() >= CE_Failure) {
      problem = mGdal::cQuietErrors::lastError();
      written = false;
    }
  }
  return mGdal::finishPart(part, target, written, problem);
} catch (const std::exception&) {
  problem = "there is not enough memory to write it";
  return false;
}
