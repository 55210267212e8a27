#include "vibration/gdal/cGeoPackageVibrationTable.h"

#include <charconv>
#include <filesystem>
#include <memory>
#include <system_error>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "site/gdal/mGdal.h"

namespace {

struct DatasetCloser {
  void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

constexpr std::size_t kNumber = 1;  // the one integer column

const char* const kGeoPackageOnly[] = {"GPKG", nullptr};

std::filesystem::path fsPath(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

bool replaceTable(GDALDataset& ds, const std::vector<mVibrationFile::TableRow>& rows, std::string& problem) {
  for (int i = 0; i < ds.GetLayerCount(); ++i) {
    OGRLayer* layer = ds.GetLayer(i);
    if (layer && EQUAL(layer->GetName(), cGeoPackageVibrationTable::kLayer)) {
      if (ds.DeleteLayer(i) != OGRERR_NONE) {
        problem = "its old vibration table cannot be replaced";
        return false;
      }
      break;
    }
  }
  OGRLayer* layer = ds.CreateLayer(cGeoPackageVibrationTable::kLayer, nullptr, wkbNone, nullptr);
  if (!layer) {
    problem = "the vibration table cannot be created";
    return false;
  }
  for (std::size_t c = 0; c < mVibrationFile::tableColumnCount; ++c) {
    OGRFieldDefn field(mVibrationFile::tableColumns[c], c == kNumber ? OFTInteger : OFTString);
    if (layer->CreateField(&field) != OGRERR_NONE) return false;
  }
  if (layer->StartTransaction() != OGRERR_NONE) return false;
  for (const auto& row : rows) {
    OGRFeature feature(layer->GetLayerDefn());
    for (std::size_t c = 0; c < mVibrationFile::tableColumnCount; ++c) {
      const int i = static_cast<int>(c);
      if (c != kNumber) {
        feature.SetField(i, row[c].c_str());
        continue;
      }
      int number = 0;
      const auto r = std::from_chars(row[c].data(), row[c].data() + row[c].size(), number);
      if (!row[c].empty() && r.ec == std::errc() && r.ptr == row[c].data() + row[c].size()) feature.SetField(i, number);
      else feature.SetFieldNull(i);
    }
    if (layer->CreateFeature(&feature) != OGRERR_NONE) {
      layer->RollbackTransaction();
      return false;
    }
  }
  return layer->CommitTransaction() == OGRERR_NONE;
}

}  // namespace

IVibrationTable::Status cGeoPackageVibrationTable::read(const std::string& path,
                                                        std::vector<mVibrationFile::TableRow>& rows,
                                                        std::string& problem) try {
  rows.clear();
  std::error_code ec;
  if (!std::filesystem::exists(fsPath(path), ec)) return Status::missing;
  problem = mGdal::fileProblem(path);
  if (!problem.empty()) return Status::unreadable;
  mGdal::registerDrivers();
  const mGdal::cQuietErrors quiet;
  DatasetPtr ds(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, kGeoPackageOnly, nullptr, nullptr));
  if (!ds) {
    problem = "it is not a GeoPackage";
    return Status::unreadable;
  }
  OGRLayer* layer = ds->GetLayerByName(kLayer);
  if (!layer) return Status::missing;
  OGRFeatureDefn* defn = layer->GetLayerDefn();
  int index[mVibrationFile::tableColumnCount];
  for (std::size_t c = 0; c < mVibrationFile::tableColumnCount; ++c) {
    index[c] = defn->GetFieldIndex(mVibrationFile::tableColumns[c]);
    if (index[c] < 0) {
      problem = std::string("its vibration_settings table has no column ") + mVibrationFile::tableColumns[c];
      return Status::unreadable;
    }
  }
  std::vector<mVibrationFile::TableRow> out;
  layer->ResetReading();
  for (OGRFeatureUniquePtr f(layer->GetNextFeature()); f; f.reset(layer->GetNextFeature())) {
    if (out.size() >= kMaxRows) {
      problem = "its vibration_settings table holds more than 100000 rows";
      return Status::unreadable;
    }
    mVibrationFile::TableRow row;
    for (std::size_t c = 0; c < mVibrationFile::tableColumnCount; ++c)
      if (f->IsFieldSetAndNotNull(index[c])) row[c] = f->GetFieldAsString(index[c]);
    out.push_back(std::move(row));
  }
  if (CPLGetLastErrorType() >= CE_Failure) {
    problem = mGdal::cQuietErrors::lastError();
    return Status::unreadable;
  }
  rows = std::move(out);
  return Status::read;
} catch (const std::exception&) {
  problem = "there is not enough memory to read it";
  return Status::unreadable;
}

bool cGeoPackageVibrationTable::write(const std::string& path, const std::vector<mVibrationFile::TableRow>& rows,
                                      std::string& problem) try {
  namespace fs = std::filesystem;
  mGdal::registerDrivers();
  const mGdal::cQuietErrors quiet;
  const fs::path target = fsPath(path);
  const fs::path part = fsPath(path + ".saving.gpkg");
  std::error_code ec;
  fs::remove(part, ec);
  fs::copy_file(target, part, fs::copy_options::overwrite_existing, ec);
  if (ec) {
    problem = "it cannot be copied (" + ec.message() + ")";
    return false;
  }
  bool written = false;
  {
    DatasetPtr ds(GDALDataset::Open(part.string().c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, kGeoPackageOnly, nullptr,
                                    nullptr));
    if (!ds) {
      problem = "it is not a GeoPackage that can be written";
    } else {
      written = replaceTable(*ds, rows, problem);
      if (written) ds->FlushCache(true);
      if (written && CPLGetLastErrorType() >= CE_Failure) {
        problem = mGdal::cQuietErrors::lastError();
        written = false;
      }
    }
  }
  return mGdal::finishPart(part, target, written, problem);
} catch (const std::exception&) {
  problem = "there is not enough memory to write it";
  return false;
}
