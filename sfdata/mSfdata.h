#pragma once
// sfdata: measurement files from the command line. "info" tells what a file
// holds, "levels" gives its weighted statistics over time per period,
// "convert" rewrites it in the other file format, "import-analyzer" turns an
// analyzer's recording directory into a spectral time history file. Input
// files are recognised by their content, whatever their names.

#include <ostream>
#include <string>
#include <vector>

namespace mSfdata {

// Exit statuses.
inline constexpr int exitDone = 0;
inline constexpr int exitNothingToReport = 1;
inline constexpr int exitCannotRun = 2;

std::string usage();

// The whole command line (args without the program name): results go to out,
// messages and progress to err. Returns the exit status.
int main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace mSfdata
