#include <iostream>
#include <string>
#include <vector>

#include "cli/mBatch.h"
#include "equipment/mProgramDirectory.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return mBatch::main(args, programDirectory(), std::cout, std::cerr);
}
