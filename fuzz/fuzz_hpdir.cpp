// SF_DataHP3565::readDirectory: the INDEX and TIMEDAT listings of a recording.
// The input is INDEX, a NUL byte, then TIMEDAT; the events A and RUN1 have
// ".DAT" files.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "FuzzFile.h"
#include "SF_DataHP3565.h"
#include "SF_MessageHandler.h"

namespace {
struct Quiet : SF_MessageHandler {
  void showError(const std::string&, const std::string&) override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::size_t split = all.find('\0');
  FuzzDir dir;
  dir.add("INDEX", all.substr(0, split));
  dir.add("TIMEDAT", split == std::string_view::npos ? std::string_view() : all.substr(split + 1));
  Quiet quiet;
  SF_DataHP3565 hp;
  hp.MessageHandler(&quiet);
  std::vector<std::string> events;
  std::map<std::string, std::shared_ptr<SF_Time>> starts;
  double rate = 0.0;
  hp.readDirectory(dir.path(), {"INDEX", "TIMEDAT", "A.DAT", "RUN1.DAT"}, events, starts, rate);
  return 0;
}
