#include <iostream>
#include <string>
#include <vector>

#include "sfdata/mSfdata.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return mSfdata::main(args, std::cout, std::cerr);
}
