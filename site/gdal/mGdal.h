#pragma once
// GDAL for the site files: the drivers registered once, GDAL's own error
// printing silenced while a file of ours is read or written (its messages
// become our problem texts instead).

#include <filesystem>
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

// The end of a write through a part file beside the target, so that the
// old file stays whole until the new one is complete: when written, the part
// is renamed over the target (false, and the problem, when it cannot be);
// otherwise the part is removed and, where nothing was said, GDAL's last
// error is the problem.
bool finishPart(const std::filesystem::path& part, const std::filesystem::path& target, bool written,
                std::string& problem);

}  // namespace mGdal
