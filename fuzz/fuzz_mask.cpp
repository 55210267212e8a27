// SF_DataMask: readFile of a masking map file.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "SF_DataMask.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".msk");
  SF_DataMask reader;
  std::shared_ptr<SF_HeaderMask> header;
  std::shared_ptr<SF_MaskMap> map;
  reader.readFile(file.name(), header, map);
  return 0;
}
