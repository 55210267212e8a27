// SF_DataSSR: readFile of a spectrum record file, with and without its header.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "SF_DataSSR.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".ssr");
  SF_DataSSR reader;
  std::shared_ptr<SF_Spectrum> spectrum;
  std::shared_ptr<SF_HeaderSSR> header;
  reader.readFile(file.name(), spectrum, &header);
  reader.readFile(file.name(), spectrum);
  return 0;
}
