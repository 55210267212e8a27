#include "cli/mBatchSite.h"

#include "casefile/cCaseFile.h"
#include "compute/mProcess.h"
#include "site/cUnavailableSiteFile.h"
#include "site/mSitePlan.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#if VORN_HAVE_GDAL
#include "site/gdal/cGeoPackageSiteFile.h"
#endif

namespace mBatchSite {
namespace {

ISiteFile& store() {
#if VORN_HAVE_GDAL
  static cGeoPackageSiteFile gpkg;
  return gpkg;
#else
  static cUnavailableSiteFile none;
  return none;
#endif
}

// What File > Open does after reading: every receptor, then each in turn.
void computeAsOpened(cStudy& study) {
  mProcess::processAllReceptors(study);
  const auto count = static_cast<std::int32_t>(study.colReceptors.size());
  for (std::int32_t i = 1; i <= count; ++i) {
    study.setReceptorID(i);
    mProcess::processReceptor(study);
  }
  study.setReceptorID(1);
  mProcess::processReceptor(study);
}

}  // namespace

void attach(const Options& options, cCaseFile& caseFile) {
  if (options.wanted()) caseFile.attachSiteFile(&store());
}

bool applySite(const Options& options, cStudy& study, IMessageService& messages) {
  if (options.site.empty()) return true;
  std::string problem;
  if (!store().read(options.site, study, problem)) {
    messages.show("The site plan " + options.site + " could not be read: " + problem, "VORN", MessageIcon::Critical);
    return false;
  }
  mSitePlan::applyToLinks(study);
  computeAsOpened(study);
  return true;
}

bool writeSite(const Options& options, const cStudy& study, IMessageService& messages) {
  if (options.writeSite.empty()) return true;
  std::string problem;
  if (!store().write(options.writeSite, study, problem)) {
    messages.show("The site plan " + options.writeSite + " could not be written: " + problem, "VORN",
                  MessageIcon::Critical);
    return false;
  }
  return true;
}

}  // namespace mBatchSite
