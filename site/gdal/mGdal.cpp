#include "site/gdal/mGdal.h"

#include <filesystem>
#include <mutex>
#include <system_error>

#include <cpl_error.h>
#include <gdal.h>

namespace mGdal {

void registerDrivers() {
  static std::once_flag once;
  std::call_once(once, [] { GDALAllRegister(); });
}

cQuietErrors::cQuietErrors() {
  CPLPushErrorHandler(CPLQuietErrorHandler);
  CPLErrorReset();
}

cQuietErrors::~cQuietErrors() { CPLPopErrorHandler(); }

std::string cQuietErrors::lastError() {
  const char* text = CPLGetLastErrorMsg();
  return text ? std::string(text) : std::string();
}

std::string fileProblem(const std::string& path) {
  std::error_code ec;
  const auto p = std::filesystem::path(path);
  const auto status = std::filesystem::status(p, ec);
  if (ec || !std::filesystem::exists(status)) return "the file does not exist";
  if (!std::filesystem::is_regular_file(status)) return "it is not a regular file";
  const auto size = std::filesystem::file_size(p, ec);
  if (ec) return "it cannot be read";
  if (size > kMaxFileBytes) return "the file is larger than 256 MiB";
  return std::string();
}

bool finishPart(const std::filesystem::path& part, const std::filesystem::path& target, bool written,
                std::string& problem) {
  std::error_code ec;
  if (written) {
    std::filesystem::rename(part, target, ec);
    if (!ec) return true;
    problem = "it cannot replace the old file (" + ec.message() + ")";
  } else if (problem.empty()) {
    problem = cQuietErrors::lastError();
  }
  std::filesystem::remove(part, ec);
  return false;
}

}  // namespace mGdal
