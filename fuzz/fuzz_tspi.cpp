// SF_DataTSPI: readFile of tracking data; the first byte is the quality limit.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "SF_DataTSPI.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  FuzzFile file(data + 1, size - 1, ".tsp");
  SF_DataTSPI reader;
  reader.RT20Limit(data[0]);
  std::shared_ptr<SF_PositionTimeHistory> history;
  reader.readFile(file.name(), history);
  return 0;
}
