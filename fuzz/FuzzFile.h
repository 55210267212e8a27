#pragma once
// Readers take file names, so each fuzz input is written to a scratch file first.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

class FuzzFile {
public:
  FuzzFile(const std::uint8_t* data, std::size_t size, const char* suffix = ".txt") {
    name_ = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + suffix;
    if (std::FILE* f = std::fopen(name_.c_str(), "wb")) {
      std::fwrite(data, 1, size, f);
      std::fclose(f);
    }
  }
  ~FuzzFile() { std::remove(name_.c_str()); }
  const std::string& name() const { return name_; }

private:
  std::string name_;
};
