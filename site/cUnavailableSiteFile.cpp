#include "site/cUnavailableSiteFile.h"

bool cUnavailableSiteFile::read(const std::string&, cStudy&, std::string& problem) {
  problem = kNotAvailable;
  return false;
}

bool cUnavailableSiteFile::write(const std::string&, const cStudy&, std::string& problem) {
  problem = kNotAvailable;
  return false;
}
