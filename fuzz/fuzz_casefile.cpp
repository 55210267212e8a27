// cCaseFile::readCaseFile: a whole case file read into a study.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "casefile/cCaseFile.h"
#include "study/cStudy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".cas");
  cStudy study;
  cCaseFile caseFile(study);
  if (caseFile.readCaseFile(file.name())) (void)caseFile.buildCaseLines();
  return 0;
}
