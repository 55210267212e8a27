#pragma once
// Asks the user for one or more file names, or for a directory, through a
// common file dialog, and hands the choice back as a directory that ends
// with a path separator plus the bare file names. Owns no files; only prompts.
//
// Hosts set OpenMode, FilePrompt and FileSuffix (and FileDefault,
// MultipleFiles where wanted), call getFile, and on SF_FILE_OK join
// Directory() and FileName(1) into the full path. After SF_FILE_CANCEL
// neither is meant to be read. Settings keep their values from call to call.

#include <cstddef>
#include <string>
#include <vector>

#include "SF_CommonDialog.h"
#include "SF_FileMessage.h"
#include "SF_FileMode.h"

class SF_FilePrompt {
public:
  // The dialog is not owned and must outlive the prompt.
  explicit SF_FilePrompt(SF_CommonDialog& dialog);

  SF_FileMessage getFile();
  SF_FileMessage getDirectory();
  // Prompts for comma-delimited files; the settings it makes stay in force.
  SF_FileMessage getCSVFile(SF_FileMode fMode, bool bMultiFiles);

  const std::string& Directory() const { return directory_; }
  // The bare names of the last choice, 0-based here.
  const std::vector<std::string>& FileName() const { return fileNames_; }
  // Item of the last choice, 1-based as hosts count it; empty when absent.
  std::string FileName(std::size_t item) const;

  void FilePrompt(const std::string& sFilePrompt) { filePrompt_ = sFilePrompt; }
  void FileDefault(const std::string& sFileDefault) { fileDefault_ = sFileDefault; }
  void FileSuffix(const std::string& sFileSuffix) { fileSuffix_ = sFileSuffix; }
  void MultipleFiles(bool bMultipleFiles) { multipleFiles_ = bMultipleFiles; }
  void OpenMode(SF_FileMode iFileMode) { openMode_ = iFileMode; }

  // The dialog's name buffer when several files may be chosen.
  static constexpr int multipleFileBuffer = 32000;

private:
  std::string typeList() const;
  std::uint32_t fileFlags() const;
  bool showFileDialog();
  bool takeFileAnswer(const std::string& answer);
  bool listDirectoryFiles(const std::string& directory, std::vector<std::string>& names) const;

  SF_CommonDialog& dialog_;
  SF_FileMode openMode_ = SF_READ;
  bool multipleFiles_ = false;
  std::string fileSuffix_;
  std::string filePrompt_;
  std::string fileDefault_;
  std::string directory_;
  std::vector<std::string> fileNames_;
};
