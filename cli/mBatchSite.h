#pragma once
// vorn-batch --site FILE and --write-site OUT: the site plan in the batch
// run. --site takes positions and barriers from FILE (our GeoPackage or a
// GeoJSON, Shapefile, GeoPackage, DXF or CSV layer) before computing;
// --write-site writes the case's plan (its own, or the one --site gave) as
// a GeoPackage. A build without GDAL says that site plans are not available.

#include <string>

class cCaseFile;
class cStudy;
class IMessageService;

namespace mBatchSite {

struct Options {
  std::string site;       // --site FILE
  std::string writeSite;  // --write-site OUT
  bool wanted() const { return !site.empty() || !writeSite.empty(); }
};

// Before the case is opened: lets it read the site file beside it, when
// the run asks for site plans.
void attach(const Options& options, cCaseFile& caseFile);
// After the case is opened: applies --site and computes the case again as
// File > Open does. False, after a message, when FILE cannot be read.
bool applySite(const Options& options, cStudy& study, IMessageService& messages);
// Writes --write-site OUT. False, after a message, when it cannot.
bool writeSite(const Options& options, const cStudy& study, IMessageService& messages);

}  // namespace mBatchSite
