#pragma once
// vorn-batch --programme FILE.vpg [--format txt|csv] [--worst] [--output FILE]:
// every receptor of a construction programme week by week and period by
// period, or with --worst its worst week of each period.

#include <ostream>
#include <string>
#include <vector>

namespace mBatchProgramme {

struct Options {
  std::string programmePath;
  bool comma = false;
  bool worst = false;
  std::string output;
};

// Whether the command line asks for a programme (names --programme).
bool wanted(const std::vector<std::string>& args);

std::string usage();

bool parseArguments(const std::vector<std::string>& args, Options& options, std::string& error);

// Exit status 0 when the table is written whole; 1 when the programme has no
// receptor to report; 2 when the programme cannot be read, a phase or the
// criteria are not available (the table is still written, without the weeks
// they work in), the output cannot be written or the arguments are wrong.
int main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace mBatchProgramme
