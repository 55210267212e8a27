#include "site/mSiteFile.h"

#include <filesystem>
#include <system_error>

#include "site/ISiteFile.h"
#include "site/mSitePlan.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"

namespace mSiteFile {
namespace {

bool exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(path), ec);
}

std::string fileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace

std::string sitePathFor(const std::string& casePath) {
  std::filesystem::path p = std::filesystem::path(casePath);
  p.replace_extension(".gpkg");
  return p.string();
}

int openBeside(cStudy& study, ISiteFile* store, const std::string& casePath) {
  const std::string sitePath = sitePathFor(casePath);
  study.sitePlan.savedFingerprint.clear();
  if (!store || !exists(sitePath)) return 0;
  std::string problem;
  if (store->read(sitePath, study, problem)) {
    study.sitePlan.savedFingerprint = sitePath + '\n' + mSitePlan::fingerprint(study);
    return mSitePlan::applyToLinks(study);
  }
  study.messages().show("The site plan " + fileName(sitePath) + " could not be read: " + problem +
                            "\nThe case opens with its stored distances.",
                        "VORN", MessageIcon::Critical);
  return 0;
}

bool saveBeside(cStudy& study, ISiteFile* store, const std::string& casePath) {
  if (!store) return true;
  const std::string sitePath = sitePathFor(casePath);
  const std::string now = sitePath + '\n' + mSitePlan::fingerprint(study);
  // A case without a plan writes none, and leaves alone a site file that
  // it never read (one that could not be read may still be the user's work).
  const bool knownFile = study.sitePlan.savedFingerprint.rfind(sitePath + '\n', 0) == 0;
  if (!mSitePlan::hasPlan(study) && !knownFile) return true;
  if (now == study.sitePlan.savedFingerprint && exists(sitePath)) return true;
  std::string problem;
  if (store->write(sitePath, study, problem)) {
    study.sitePlan.savedFingerprint = now;
    return true;
  }
  study.messages().show("The site plan " + fileName(sitePath) + " could not be written: " + problem,
                        "VORN", MessageIcon::Critical);
  return false;
}

}  // namespace mSiteFile
