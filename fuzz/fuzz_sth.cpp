// SF_DataSTH: readFile and getRawHeader of a spectral time-history file.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "SF_DataSTH.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".sth");
  SF_DataSTH reader;
  std::shared_ptr<SF_HeaderSTH> header;
  std::shared_ptr<SF_SpectralTimeHistory> history;
  reader.readFile(file.name(), header, history);
  std::vector<std::string> raw;
  reader.getRawHeader(file.name(), raw);
  return 0;
}
