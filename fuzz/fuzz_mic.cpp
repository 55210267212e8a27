// SF_DataMIC: readFile of a microphone position file.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "SF_DataMIC.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".mic");
  SF_DataMIC reader;
  std::shared_ptr<SF_HeaderMIC> header;
  std::shared_ptr<SF_Microphone> mic;
  reader.readFile(file.name(), header, mic);
  return 0;
}
