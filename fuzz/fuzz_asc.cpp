// SF_DataHP3565::ParseASC of one event's ".ASC" file; the first two bytes
// choose the band range taken.

#include <cstddef>
#include <cstdint>
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
  if (size < 2) return 0;
  FuzzDir dir;
  dir.add("EV.ASC", std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
  Quiet quiet;
  SF_DataHP3565 hp;
  hp.MessageHandler(&quiet);
  hp.BandLow(static_cast<std::int16_t>(data[0] % 64));
  hp.BandHigh(static_cast<std::int16_t>(data[1] % 64));
  SF_SpectralTimeHistory history;
  hp.ParseASC(dir.path(), "EV", std::make_shared<SF_Time>(), history);
  return 0;
}
