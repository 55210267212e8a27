#include "SF_FilePrompt.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr std::uint32_t readFlags = SF_OFN_EXPLORER | SF_OFN_FILEMUSTEXIST | SF_OFN_HIDEREADONLY;
constexpr std::uint32_t writeFlags = SF_OFN_EXPLORER | SF_OFN_HIDEREADONLY | SF_OFN_OVERWRITEPROMPT;
constexpr std::uint32_t directoryFlags =
    SF_OFN_EXPLORER | SF_OFN_PATHMUSTEXIST | SF_OFN_NOVALIDATE | SF_OFN_HIDEREADONLY;
static_assert(readFlags == 0x81004 && (readFlags | SF_OFN_ALLOWMULTISELECT) == 0x81204);
static_assert(writeFlags == 0x80006 && (writeFlags | SF_OFN_ALLOWMULTISELECT) == 0x80206);
static_assert(directoryFlags == 0x80904);

constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);

bool isSeparator(char c) { return c == '/' || c == separator; }

bool endsWithSeparator(std::string_view path) { return !path.empty() && isSeparator(path.back()); }

std::vector<std::string> splitAtNul(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t nul = text.find('\0', start);
    if (nul == std::string::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, nul - start));
    start = nul + 1;
  }
}

// Names are UTF-8 text on every platform; on Windows std::string paths would
// go through the ANSI code page and lose what it cannot hold.
std::filesystem::path pathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string nameOf(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool currentDirectory(std::string& directory) {
  std::error_code ec;
  const std::filesystem::path cwd = std::filesystem::current_path(ec);
  if (ec) return false;
  directory = nameOf(cwd);
  return true;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
  const auto fold = [](unsigned char c) { return std::tolower(c); };
  const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
      [&](unsigned char x, unsigned char y) { return fold(x) < fold(y); });
  const bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
      [&](unsigned char x, unsigned char y) { return fold(x) < fold(y); });
  return less || (!greater && a < b);
}

}  // namespace

SF_FilePrompt::SF_FilePrompt(SF_CommonDialog& dialog) : dialog_(dialog) {}

std::string SF_FilePrompt::FileName(std::size_t item) const {
  if (item < 1 || item > fileNames_.size()) return {};
  return fileNames_[item - 1];
}

std::string SF_FilePrompt::typeList() const {
  return filePrompt_ + " (*." + fileSuffix_ + ")|*." + fileSuffix_ + "|All Files (*.*)|*.*";
}

std::uint32_t SF_FilePrompt::fileFlags() const {
  const std::uint32_t flags = openMode_ == SF_READ ? readFlags : writeFlags;
  return multipleFiles_ ? flags | SF_OFN_ALLOWMULTISELECT : flags;
}

bool SF_FilePrompt::showFileDialog() {
  std::string startDirectory;
  if (!currentDirectory(startDirectory)) return false;
  dialog_.Filter(typeList());
  dialog_.FilterIndex(1);
  dialog_.InitDir(startDirectory);
  dialog_.FileName(fileDefault_);
  if (multipleFiles_) dialog_.MaxFileSize(multipleFileBuffer);
  dialog_.Flags(fileFlags());
  return openMode_ == SF_READ ? dialog_.ShowOpen() : dialog_.ShowSave();
}

// The answer is committed only when it takes apart cleanly, so a failed call
// leaves the previous choice in place.
bool SF_FilePrompt::takeFileAnswer(const std::string& answer) {
  if (answer.empty()) return false;
  std::vector<std::string> parts = splitAtNul(answer);
  if (parts.size() > 1 && parts.back().empty()) parts.pop_back();  // a terminating NUL

  if (parts.size() > 1) {
    const std::string& folder = parts.front();
    if (folder.empty()) return false;
    if (std::any_of(parts.begin() + 1, parts.end(), [](const std::string& n) { return n.empty(); })) return false;
    directory_ = endsWithSeparator(folder) ? folder : folder + separator;
    fileNames_.assign(parts.begin() + 1, parts.end());
    return true;
  }

  const std::string title = dialog_.FileTitle();
  const std::string& path = parts.front();
  if (title.empty() || path.size() <= title.size()) return false;
  if (path.compare(path.size() - title.size(), title.size(), title) != 0) return false;
  std::string folder = path.substr(0, path.size() - title.size());
  if (!endsWithSeparator(folder)) return false;
  directory_ = std::move(folder);
  fileNames_.assign(1, title);
  return true;
}

SF_FileMessage SF_FilePrompt::getFile() {
  try {
    if (!showFileDialog()) return SF_FILE_CANCEL;
    return takeFileAnswer(dialog_.FileName()) ? SF_FILE_OK : SF_FILE_CANCEL;
  } catch (...) {
    return SF_FILE_CANCEL;
  }
}

SF_FileMessage SF_FilePrompt::getDirectory() {
  try {
    std::string startDirectory;
    if (!currentDirectory(startDirectory)) return SF_FILE_CANCEL;
    dialog_.InitDir(startDirectory);
    dialog_.FileName(SF_ALL_FILES_PATTERN);
    dialog_.MaxFileSize(multipleFileBuffer);
    dialog_.Flags(directoryFlags);
    if (!dialog_.ShowOpen()) return SF_FILE_CANCEL;

    const std::string title = dialog_.FileTitle();
    const std::size_t titleLength = title.empty() ? std::string_view(SF_ALL_FILES_PATTERN).size() : title.size();
    const std::string answer = dialog_.FileName();
    if (answer.size() <= titleLength) return SF_FILE_CANCEL;
    std::string folder = answer.substr(0, answer.size() - titleLength);

    std::vector<std::string> names;
    if (!listDirectoryFiles(folder, names)) return SF_FILE_CANCEL;
    directory_ = std::move(folder);
    fileNames_ = std::move(names);
    return SF_FILE_OK;
  } catch (...) {
    return SF_FILE_CANCEL;
  }
}

SF_FileMessage SF_FilePrompt::getCSVFile(SF_FileMode fMode, bool bMultiFiles) {
  OpenMode(fMode);
  FilePrompt("Comma Delimited Files");
  FileSuffix("CSV");
  MultipleFiles(bMultiFiles);
  return getFile();
}

// Files only, hidden ones left out, in the case-blind name order of an
// ordinary file list.
bool SF_FilePrompt::listDirectoryFiles(const std::string& directory, std::vector<std::string>& names) const {
  std::error_code ec;
  std::filesystem::directory_iterator it(pathOf(directory), ec);
  if (ec) return false;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) return false;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = nameOf(it->path().filename());
    if (name.empty() || name.front() == '.') continue;
    names.push_back(std::move(name));
  }
  if (ec) return false;
  std::sort(names.begin(), names.end(), lessIgnoringCase);
  return true;
}
