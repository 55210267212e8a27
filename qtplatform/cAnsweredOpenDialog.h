#pragma once
// The platform's file dialog with one open answered in advance: a case file
// that the desktop hands the program on its command line (a double click on
// the file) goes through File > Open as if the user had chosen it in the
// dialog, with the same questions and messages. Every other showing goes to
// the real dialog.

#include <cstdint>
#include <string>

#include "SF_CommonDialog.h"

class cAnsweredOpenDialog : public SF_CommonDialog {
public:
  // The real dialog is not owned and must outlive this one.
  explicit cAnsweredOpenDialog(SF_CommonDialog& dialog);

  // The next ShowOpen chooses this file, taken from the current directory
  // when relative, instead of showing the dialog.
  void answerNextOpen(const std::string& path);
  bool answerPending() const { return !pendingPath_.empty(); }

  void Filter(const std::string& filter) override { dialog_.Filter(filter); }
  void FilterIndex(int index) override { dialog_.FilterIndex(index); }
  void InitDir(const std::string& directory) override { dialog_.InitDir(directory); }
  void FileName(const std::string& name) override { dialog_.FileName(name); }
  void MaxFileSize(int characters) override { dialog_.MaxFileSize(characters); }
  void Flags(std::uint32_t flags) override { dialog_.Flags(flags); }

  std::string FileName() const override;
  std::string FileTitle() const override;

  bool ShowOpen() override;
  bool ShowSave() override;

private:
  SF_CommonDialog& dialog_;
  std::string pendingPath_;
  std::string pendingTitle_;
  // The last showing was answered here, not by the real dialog.
  bool answered_ = false;
  std::string answeredPath_;
  std::string answeredTitle_;
};
