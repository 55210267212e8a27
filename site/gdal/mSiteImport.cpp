#include "site/gdal/mSiteImport.h"

#include <cmath>
#include <memory>

#include <gdal_priv.h>

#include "compute/mProcess.h"
#include "site/gdal/mGdal.h"
#include "site/mSitePlan.h"
#include "study/ISheetView.h"
#include "study/cStudy.h"

namespace mSiteImport {
namespace {

struct DatasetCloser {
  void operator()(GDALDataset* ds) const { GDALClose(ds); }
};

template <class Record>
std::shared_ptr<Record> byDescription(const std::vector<std::shared_ptr<Record>>& records, const std::string& text) {
  if (text.empty()) return nullptr;
  for (const auto& r : records)
    if (r->description == text) return r;
  return nullptr;
}

constexpr std::size_t kMaxRecords = 32767;  // row numbers are 16-bit

}  // namespace

bool importLayer(cStudy& study, const std::string& path, SiteLayerKind kind, sImportCount& count,
                 std::string& problem) {
  count = sImportCount();
  cSiteLayers layers;
  if (!layers.read(path, problem, kind)) return false;
  const std::size_t found = layers.receptors.size() + layers.equipment.size() + layers.barriers.size();
  if (found == 0) {
    problem = kind == SiteLayerKind::Barriers ? "it holds no lines" : "it holds no points";
    return false;
  }
  if (study.colReceptors.size() + layers.receptors.size() > kMaxRecords ||
      study.colEquipment.size() + layers.equipment.size() > kMaxRecords) {
    problem = "it holds more features than a case can number";
    return false;
  }
  study.holdState(3);
  for (const cSiteFeature& f : layers.receptors) {
    auto r = byDescription(study.colReceptors, f.description);
    if (r) ++count.matched;
    else {
      r = study.addReceptor(static_cast<std::int32_t>(study.colReceptors.size() + 1));
      r->description = f.description;
      r->setLandUseTxt("Residential");
      ++count.appended;
    }
    r->position = f.position;
  }
  for (const cSiteFeature& f : layers.equipment) {
    auto e = byDescription(study.colEquipment, f.description);
    if (e) ++count.matched;
    else {
      e = study.addEquipment(static_cast<std::int32_t>(study.colEquipment.size() + 1));
      e->description = f.description.empty() ? " " : f.description;
      e->active = true;
      e->impactDevice = 1;
      e->spec_select = true;
      e->spec_lmax = -999.999f;
      e->actual_lmax = -999.999f;
      ++count.appended;
    }
    e->position = f.position;
  }
  for (cBarrier& b : layers.barriers) {
    if (b.name.empty()) b.name = "Barrier " + std::to_string(study.sitePlan.barriers.size() + 1);
    study.sitePlan.barriers.push_back(std::move(b));
    ++count.appended;
  }
  study.updateLinks();
  mSitePlan::applyToLinks(study);
  study.setCaseChanged(true);
  study.receptorSheet().display();
  study.equipmentSheet().display();
  mProcess::processReceptor(study);
  study.displayLinks();
  return true;
}

bool readPicture(const std::string& path, sPicture& picture, std::string& problem, long long maxPixels) {
  picture = sPicture();
  problem = mGdal::fileProblem(path);
  if (!problem.empty()) return false;
  mGdal::registerDrivers();
  const mGdal::cQuietErrors quiet;
  static const char* const drivers[] = {"PNG", "JPEG", "GTiff", nullptr};
  std::unique_ptr<GDALDataset, DatasetCloser> ds(
      GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, drivers, nullptr, nullptr));
  if (!ds) {
    problem = "it is not a PNG, JPEG or GeoTIFF picture";
    return false;
  }
  const int w = ds->GetRasterXSize(), h = ds->GetRasterYSize(), bands = ds->GetRasterCount();
  if (w <= 0 || h <= 0 || bands < 1) {
    problem = "it holds no picture";
    return false;
  }
  if (static_cast<long long>(w) * h > maxPixels) {
    problem = "the picture is too large";
    return false;
  }
  picture.width = w;
  picture.height = h;
  picture.rgba.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4, 255);
  // Grey pictures repeat their one band; a fourth band is the alpha.
  for (int out = 0; out < 4; ++out) {
    int band = out + 1;
    if (out == 3 && bands < 4 && bands != 2) continue;
    if (bands < 3) band = out == 3 ? 2 : 1;
    GDALRasterBand* b = ds->GetRasterBand(band);
    if (!b || b->RasterIO(GF_Read, 0, 0, w, h, picture.rgba.data() + out, w, h, GDT_Byte, 4,
                          static_cast<GSpacing>(w) * 4, nullptr) != CE_None) {
      problem = "the picture cannot be read (" + mGdal::cQuietErrors::lastError() + ")";
      picture = sPicture();
      return false;
    }
  }
  double t[6];
  if (ds->GetGeoTransform(t) == CE_None && !(t[0] == 0 && t[1] == 1 && t[2] == 0 && t[3] == 0 && t[4] == 0 && t[5] == 1)) {
    bool finite = true;
    for (double v : t) finite = finite && std::isfinite(v);
    if (finite && (t[1] * t[5] - t[2] * t[4]) != 0) {
      picture.placed = true;
      for (int i = 0; i < 6; ++i) picture.transform[static_cast<std::size_t>(i)] = t[i];
    }
  }
  return true;
}

}  // namespace mSiteImport
