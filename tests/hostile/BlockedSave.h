#pragma once
// Makes a save to one target fail in the way each platform allows a test to
// force: on POSIX the disk fills up after 48 bytes (every write of the
// process), on Windows another program holds the target open without letting
// it be replaced. Either way the save must leave the old file as it was.

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>

class BlockedSave {
public:
  explicit BlockedSave(const std::string& target) {
    const std::filesystem::path path(std::u8string(target.begin(), target.end()));
    held_ = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  ~BlockedSave() {
    if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
  }
  BlockedSave(const BlockedSave&) = delete;
  BlockedSave& operator=(const BlockedSave&) = delete;
  bool holding() const { return held_ != INVALID_HANDLE_VALUE; }

private:
  HANDLE held_ = INVALID_HANDLE_VALUE;
};

// Windows keeps the read-only attribute for every user.
inline bool permissionsBindThisUser() { return true; }

#else
#include <unistd.h>

#include "../casefile/FailingWrites.h"

class BlockedSave {
public:
  explicit BlockedSave(const std::string&) : full_(48) {}
  bool holding() const { return true; }

private:
  FailingWrites full_;
};

// Root writes through file permissions.
inline bool permissionsBindThisUser() { return geteuid() != 0; }

#endif
