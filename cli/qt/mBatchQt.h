#pragma once
// vorn-batch's Qt side: the PDF writer and the preparer from the settings
// store, provided to the tool's run.

#include <ostream>
#include <string>
#include <vector>

class ISettingsStore;

namespace mBatchQt {

// The whole command line as mBatch::main runs it, with the PDF writer (paper
// from the platform's locale) and the preparer read from settings. A Qt
// application is started only when the PDF report is asked for.
int main(int argc, char** argv, const std::vector<std::string>& args, const std::string& programDir,
         std::ostream& out, std::ostream& err, ISettingsStore* settings);

}  // namespace mBatchQt
