#pragma once
// Screenshots of the real windows for the user guide and the README: the
// program started offscreen with scripted services, an example case opened
// through File > Open, and each dialog opened from the window as a user
// opens it, grabbed, then cancelled.

#include <string>

namespace mScreenshots {

// Writes main-window.png, criteria.png, equation.png, limits.png,
// equipment-list.png, export.png and l10.png into outDir. programDir holds
// the shipped data files and ends with a path separator. False, with the
// reason in error, when the program does not start, the case does not open
// or a window does not appear.
bool take(const std::string& programDir, const std::string& casePath, const std::string& outDir, std::string& error);

}  // namespace mScreenshots
