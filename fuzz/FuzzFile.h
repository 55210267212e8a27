#pragma once
// Readers take file names, so each fuzz input is written to a scratch file first.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>
#include <unistd.h>
#include <sys/stat.h>

inline void writeFuzzBytes(const std::string& name, const void* data, std::size_t size) {
  if (std::FILE* f = std::fopen(name.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
}

class FuzzFile {
public:
  FuzzFile(const std::uint8_t* data, std::size_t size, const char* suffix = ".txt") {
    name_ = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + suffix;
    writeFuzzBytes(name_, data, size);
  }
  ~FuzzFile() { std::remove(name_.c_str()); }
  FuzzFile(const FuzzFile&) = delete;
  FuzzFile& operator=(const FuzzFile&) = delete;
  const std::string& name() const { return name_; }

private:
  std::string name_;
};

// A scratch directory of this process for readers that take a directory.
// Files added are removed again when the object ends.
class FuzzDir {
public:
  FuzzDir() {
    path_ = "/tmp/vorn-fuzz-dir-" + std::to_string(getpid()) + "/";
    mkdir(path_.c_str(), 0700);
  }
  ~FuzzDir() {
    for (const auto& n : names_) std::remove((path_ + n).c_str());
  }
  FuzzDir(const FuzzDir&) = delete;
  FuzzDir& operator=(const FuzzDir&) = delete;
  void add(const std::string& name, std::string_view bytes) {
    writeFuzzBytes(path_ + name, bytes.data(), bytes.size());
    names_.push_back(name);
  }
  const std::string& path() const { return path_; }

private:
  std::string path_;
  std::vector<std::string> names_;
};
