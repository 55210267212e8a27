// SF_DataASCII: readLines, and readFields in every delimiter and quoting mode.
// The first input byte picks the mode (bits 0-2 the delimiter, bit 3 quoted
// fields, bit 4 readLines); the rest is the file.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "SF_DataASCII.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  FuzzFile file(data + 1, size - 1);
  static const char* delimiters[] = {",", " ", "\t", ";", "|", ", ", "**", ""};
  SF_DataASCII a;
  a.Delimiter(delimiters[mode & 0x07]);
  a.CommentFields((mode & 0x08) != 0);
  if (mode & 0x10) {
    a.readLines(file.name());
  } else if (a.readFields(file.name()) == SF_DATA_OK) {
    const SF_FieldTable& t = a.Fields();
    for (std::size_t r = 0; r < t.size(); ++r)
      for (std::size_t i = 0; i < t.fieldCount(r); ++i) (void)t.field(r, i);
  }
  return 0;
}
