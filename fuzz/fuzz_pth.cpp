// SF_DataPTH: readFile of a position time-history file.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "SF_DataPTH.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".pth");
  SF_DataPTH reader;
  std::shared_ptr<SF_HeaderPTH> header;
  std::shared_ptr<SF_PositionTimeHistory> history;
  reader.readFile(file.name(), header, history);
  return 0;
}
