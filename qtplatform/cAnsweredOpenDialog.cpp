#include "qtplatform/cAnsweredOpenDialog.h"

#include <filesystem>

cAnsweredOpenDialog::cAnsweredOpenDialog(SF_CommonDialog& dialog) : dialog_(dialog) {}

void cAnsweredOpenDialog::answerNextOpen(const std::string& path) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(path), ec);
  if (ec) full = path;
  full = full.lexically_normal();
  pendingPath_ = full.string();
  pendingTitle_ = full.filename().string();
}

std::string cAnsweredOpenDialog::FileName() const { return answered_ ? answeredPath_ : dialog_.FileName(); }

std::string cAnsweredOpenDialog::FileTitle() const { return answered_ ? answeredTitle_ : dialog_.FileTitle(); }

bool cAnsweredOpenDialog::ShowOpen() {
  if (pendingPath_.empty()) {
    answered_ = false;
    return dialog_.ShowOpen();
  }
  answered_ = true;
  answeredPath_ = std::move(pendingPath_);
  answeredTitle_ = std::move(pendingTitle_);
  pendingPath_.clear();
  pendingTitle_.clear();
  return true;
}

bool cAnsweredOpenDialog::ShowSave() {
  answered_ = false;
  return dialog_.ShowSave();
}
