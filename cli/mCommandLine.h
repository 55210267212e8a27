#pragma once
// What the command line and the standard streams differ in between systems:
// POSIX and Windows side by side in mCommandLine.cpp.

#include <string>
#include <vector>

namespace mCommandLine {

// The arguments after the program name, as UTF-8 text. On Windows they are
// taken from the wide command line, so that names outside the ANSI code page
// arrive whole.
std::vector<std::string> arguments(int argc, char** argv);

// Standard output passes the report's bytes as they are (CR LF stays CR LF
// instead of becoming CR CR LF on Windows).
void binaryStandardOutput();

}  // namespace mCommandLine
