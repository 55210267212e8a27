#include "base/mProgramDirectory.h"

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// The executable's own path as the system reports it; empty when it cannot.
std::filesystem::path executablePath() {
#ifdef _WIN32
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      return std::filesystem::path(buffer);
    }
    buffer.resize(buffer.size() * 2);  // a long path was cut: ask again with room for it
  }
#else
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe;
#endif
}

}  // namespace

std::string programDirectory() {
  const std::filesystem::path exe = executablePath();
  if (exe.empty()) return "./";
  // UTF-8 on every platform, as the file readers take their names.
  const std::u8string text = exe.parent_path().u8string();
  std::string dir(text.begin(), text.end());
  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  if (dir.empty() || (dir.back() != separator && dir.back() != '/')) dir += separator;
  return dir;
}
