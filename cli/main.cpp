#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/mBatch.h"
#include "equipment/mProgramDirectory.h"

int main(int argc, char** argv) try {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return mBatch::main(args, programDirectory(), std::cout, std::cerr);
} catch (const std::exception&) {
  std::cerr << "vorn-batch: not enough memory to start\n";
  return mBatch::exitCannotRun;
}
