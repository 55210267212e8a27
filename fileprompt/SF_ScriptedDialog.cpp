#include "SF_ScriptedDialog.h"

#include <filesystem>

namespace {

// UTF-8 names on every platform, never the ANSI code page of Windows.
std::filesystem::path pathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string nameOf(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

void SF_ScriptedDialog::chooseFile(const std::string& fullPath) {
  answers_.push_back({false, fullPath, nameOf(pathOf(fullPath).filename())});
}

void SF_ScriptedDialog::chooseFiles(const std::string& directory, const std::vector<std::string>& names) {
  if (names.size() == 1) {
    chooseFile(nameOf(pathOf(directory) / pathOf(names.front())));
    return;
  }
  std::string answer = directory;
  for (const std::string& name : names) {
    answer += '\0';
    answer += name;
  }
  // The title of a multiple choice is not used; a real dialog leaves it empty.
  answers_.push_back({false, answer, {}});
}

void SF_ScriptedDialog::cancel() { answers_.push_back({}); }

void SF_ScriptedDialog::answerRaw(const std::string& fileName, const std::string& fileTitle) {
  answers_.push_back({false, fileName, fileTitle});
}

bool SF_ScriptedDialog::show(Kind kind) {
  current_.kind = kind;
  showings_.push_back(current_);
  if (answers_.empty()) return false;
  const Answer answer = answers_.front();
  answers_.pop_front();
  if (answer.cancelled) return false;
  current_.fileName = answer.fileName;
  fileTitle_ = answer.fileTitle;
  return true;
}
