#pragma once
// What opening, saving and naming files needs of the operating system, in one
// place: POSIX and Windows side by side in SF_FileAccess.cpp. Names are UTF-8
// text on every platform; on Windows they reach the system through its wide
// (UTF-16) calls, never through the ANSI code page.
// Internal to the data library: not installed with its headers.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace SF_FileAccess {

// The path of a UTF-8 name, and the UTF-8 name of a path.
std::filesystem::path pathOf(const std::string& utf8Name);
std::string nameOf(const std::filesystem::path& path);

// Opens a regular file for reading without waiting on it (a pipe without a
// writer would hold the caller for ever). Pipes, devices, sockets,
// directories and files over maxBytes give null; size is the file's size.
std::FILE* openForReading(const std::string& utf8Name, std::uint64_t maxBytes, std::uint64_t& size);

// Creates a new, empty scratch file beside target for writing, with the
// permissions target has (or a new file would get). Null when it cannot.
std::FILE* createBeside(const std::string& target, std::string& scratchName);

// False when the existing file may not be written by this user.
bool writable(const std::string& utf8Name);

// Flushes the file to the disk and closes it; false when either fails.
bool flushAndClose(std::FILE* file);

// Puts from in the place of to in one step, so that to is either the old
// file or the new one, also after a power cut.
bool replace(const std::string& from, const std::string& to);

void remove(const std::string& utf8Name);

}  // namespace SF_FileAccess
