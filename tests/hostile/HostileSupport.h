#pragma once
// Golden files of the data library, changed in one place, written to a
// scratch directory for a reader to try.

#include <string>
#include <vector>

#include "../support/TempDir.h"

inline std::string goldenFile(const std::string& name) { return TempDir::read(std::string(VORN_DATALIB_DATA) + "/" + name); }

// bytes with the first occurrence of from replaced by to; empty when from is missing.
inline std::string replaced(std::string bytes, const std::string& from, const std::string& to) {
  const auto at = bytes.find(from);
  if (at == std::string::npos) return {};
  return bytes.replace(at, from.size(), to);
}

inline std::string crlfLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}
