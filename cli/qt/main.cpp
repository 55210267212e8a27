#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/mBatch.h"
#include "cli/mCommandLine.h"
#include "cli/qt/mBatchQt.h"
#include "base/mProgramDirectory.h"

int main(int argc, char** argv) try {
  std::ios::sync_with_stdio(false);
  mCommandLine::binaryStandardOutput();
  return mBatchQt::main(argc, argv, mCommandLine::arguments(argc, argv), programDirectory(), std::cout, std::cerr,
                        nullptr);
} catch (const std::exception&) {
  std::cerr << "vorn-batch: not enough memory to start\n";
  return mBatch::exitCannotRun;
}
