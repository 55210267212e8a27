// SF_DataSPC: readFile of a fixed-column spectral file; the first two bytes
// choose the band range taken.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "SF_DataSPC.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  FuzzFile file(data + 2, size - 2, ".spc");
  SF_DataSPC reader;
  reader.BandLow(static_cast<std::int16_t>(data[0] % 64));
  reader.BandHigh(static_cast<std::int16_t>(data[1] % 64));
  std::shared_ptr<SF_SpectralTimeHistory> history;
  reader.readFile(file.name(), history);
  return 0;
}
