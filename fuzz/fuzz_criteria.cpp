// cCriteriaFile::readFile: a criteria file read into the limit tables.

#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "criteria/cCriteriaFile.h"
#include "study/cStudy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzFile file(data, size, ".cri");
  cStudy study;
  cCriteriaFile criteria(study.NoiseLimits);
  if (criteria.readFile(file.name())) {
    std::vector<std::string> lines;
    criteria.buildOutput(lines);
  }
  return 0;
}
