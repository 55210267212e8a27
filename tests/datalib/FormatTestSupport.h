#pragma once
// Shared by the measurement file format tests: a fixed clock for the
// "FileDateTime" line, and golden files by name.

#include <string>

#include <gtest/gtest.h>

#include "SF_FileInfo.h"
#include "../support/TempDir.h"

// 1 October 2005, 13:04:05 for every file written while it lives.
class FixedClock {
public:
  FixedClock() {
    SF_FileInfo::shared().setClock([] { return SF_FileInfo::DateTime{2005, 10, 1, 13, 4, 5}; });
  }
  ~FixedClock() { SF_FileInfo::shared().setClock({}); }
  FixedClock(const FixedClock&) = delete;
  FixedClock& operator=(const FixedClock&) = delete;
};

inline std::string golden(const std::string& name) { return TempDir::read(std::string(VORN_TEST_DATA) + "/" + name); }

inline std::string goldenPath(const std::string& name) { return std::string(VORN_TEST_DATA) + "/" + name; }

// Joins lines with CR LF after each.
inline std::string crlf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}
