// SF_DataGTH: readFile of a geometric time-history file.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "SF_DataGTH.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".gth");
  SF_DataGTH reader;
  std::shared_ptr<SF_HeaderGTH> header;
  std::shared_ptr<SF_GeometryTimeHistory> history;
  reader.readFile(file.name(), header, history);
  return 0;
}
