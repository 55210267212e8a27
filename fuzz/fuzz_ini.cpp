// SF_DataINI: readFile of a variable initialization file.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "SF_DataINI.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".ini");
  SF_DataINI reader;
  if (reader.readFile(file.name()) == SF_DATA_OK) (void)reader.FileDate();
  return 0;
}
