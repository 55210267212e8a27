#pragma once
// GDAL for the site files: the drivers registered once, GDAL's own error
// printing silenced while a file of ours is read or written (its messages
// become our problem texts instead).

#include <string>

namespace mGdal {

void registerDrivers();

// While alive, GDAL reports no errors on standard error; lastError() gives
// the last one it raised.
class cQuietErrors {
public:
  cQuietErrors();
  ~cQuietErrors();
  cQuietErrors(const cQuietErrors&) = delete;
  cQuietErrors& operator=(const cQuietErrors&) = delete;
  static std::string lastError();
};

// A file of ours is refused above this size before GDAL opens it.
inline constexpr unsigned long long kMaxFileBytes = 256ull * 1024 * 1024;
// "" when the path names a regular file within the limit, else the problem.
std::string fileProblem(const std::string& path);

}  // namespace mGdal
