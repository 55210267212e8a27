#include "SF_FileAccess.h"

#include <cerrno>
#include <random>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace SF_FileAccess {

fs::path pathOf(const std::string& utf8Name) {
  return fs::path(std::u8string(utf8Name.begin(), utf8Name.end()));
}

std::string nameOf(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

#ifdef _WIN32

namespace {

std::wstring wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

}  // namespace

std::FILE* openForReading(const std::string& utf8Name, std::uint64_t maxBytes, std::uint64_t& size) {
  const std::wstring name = wide(utf8Name);
  if (name.empty()) return nullptr;
  // Opening a named pipe or a device by name does not wait on Windows, but
  // reading it would: only disk files are taken.
  HANDLE h = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER length{};
  BY_HANDLE_FILE_INFORMATION info{};
  const bool disk = GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info) &&
                    (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && GetFileSizeEx(h, &length);
  if (!disk || static_cast<std::uint64_t>(length.QuadPart) > maxBytes) {
    CloseHandle(h);
    return nullptr;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(h);
    return nullptr;
  }
  std::FILE* f = _fdopen(fd, "rb");
  if (!f) {
    _close(fd);
    return nullptr;
  }
  size = static_cast<std::uint64_t>(length.QuadPart);
  return f;
}

std::FILE* createBeside(const std::string& target, std::string& scratchName) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = target + ".vorn-" + std::to_string(random() % 1000000u);
    // Created only if it is not there yet, like mkstemp.
    std::FILE* f = _wfopen(wide(name).c_str(), L"wbx");
    if (f) {
      scratchName = name;
      return f;
    }
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

bool writable(const std::string& utf8Name) {
  const DWORD attributes = GetFileAttributesW(wide(utf8Name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool flushAndClose(std::FILE* file) {
  const bool flushed =
      std::fflush(file) == 0 && FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))));
  const bool closed = std::fclose(file) == 0;
  return flushed && closed;
}

bool replace(const std::string& from, const std::string& to) {
  return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void remove(const std::string& utf8Name) { _wremove(wide(utf8Name).c_str()); }

#else

std::FILE* openForReading(const std::string& utf8Name, std::uint64_t maxBytes, std::uint64_t& size) {
  const int fd = ::open(utf8Name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    ::close(fd);
    return nullptr;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* f = fdopen(fd, "rb");
  if (!f) {
    ::close(fd);
    return nullptr;
  }
  size = static_cast<std::uint64_t>(st.st_size);
  return f;
}

std::FILE* createBeside(const std::string& target, std::string& scratchName) {
  const std::string pattern = target + ".vorn-XXXXXX";
  std::vector<char> templ(pattern.begin(), pattern.end());
  templ.push_back('\0');
  const int fd = mkstemp(templ.data());
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    fchmod(fd, st.st_mode & 07777);
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
  }
  std::FILE* f = fdopen(fd, "wb");
  if (!f) {
    ::close(fd);
    ::unlink(templ.data());
    return nullptr;
  }
  scratchName = templ.data();
  return f;
}

bool writable(const std::string& utf8Name) { return access(utf8Name.c_str(), W_OK) == 0; }

bool flushAndClose(std::FILE* file) {
  const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  const bool closed = std::fclose(file) == 0;
  return flushed && closed;
}

bool replace(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

void remove(const std::string& utf8Name) { std::remove(utf8Name.c_str()); }

#endif

}  // namespace SF_FileAccess
