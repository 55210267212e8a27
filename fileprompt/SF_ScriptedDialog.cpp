#include "SF_ScriptedDialog.h"

#include <filesystem>

void SF_ScriptedDialog::chooseFile(const std::string& fullPath) {
  answers_.push_back({false, fullPath, std::filesystem::path(fullPath).filename().string()});
}

void SF_ScriptedDialog::chooseFiles(const std::string& directory, const std::vector<std::string>& names) {
  if (names.size() == 1) {
    chooseFile((std::filesystem::path(directory) / names.front()).string());
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
