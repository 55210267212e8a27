#pragma once
// The common file dialog as the prompt drives it: set the type list, the
// starting directory, the name box and the flags, show it, read the answer.
// A Qt implementation shows a real dialog; SF_ScriptedDialog answers from a
// script for tests.
//
// Filter is a '|'-separated list of description and pattern pairs;
// FilterIndex is 1-based. After a choice, FileName() is the full path of the
// chosen file, or for several files the directory followed by the chosen
// names, each part separated by one NUL character; FileTitle() is the chosen
// file's name without its directory. Paths are in the file system's own
// bytes, so they open as they are; descriptions are Windows-1252 text.

#include <cstdint>
#include <string>

// Flag bits of the dialog, with the platform's open-file-name values.
inline constexpr std::uint32_t SF_OFN_OVERWRITEPROMPT = 0x00002;
inline constexpr std::uint32_t SF_OFN_HIDEREADONLY = 0x00004;
inline constexpr std::uint32_t SF_OFN_NOVALIDATE = 0x00100;
inline constexpr std::uint32_t SF_OFN_ALLOWMULTISELECT = 0x00200;
inline constexpr std::uint32_t SF_OFN_PATHMUSTEXIST = 0x00800;
inline constexpr std::uint32_t SF_OFN_FILEMUSTEXIST = 0x01000;
inline constexpr std::uint32_t SF_OFN_EXPLORER = 0x80000;

// A name box holding this pattern with "no validate" set asks for a directory.
inline constexpr const char* SF_ALL_FILES_PATTERN = "*.*";

class SF_CommonDialog {
public:
  virtual ~SF_CommonDialog() = default;

  virtual void Filter(const std::string& filter) = 0;
  virtual void FilterIndex(int index) = 0;
  virtual void InitDir(const std::string& directory) = 0;
  virtual void FileName(const std::string& name) = 0;
  virtual void MaxFileSize(int characters) = 0;
  virtual void Flags(std::uint32_t flags) = 0;

  virtual std::string FileName() const = 0;
  virtual std::string FileTitle() const = 0;

  // True when the user made a choice; false when the dialog was cancelled
  // or could not be shown. Neither throws.
  virtual bool ShowOpen() = 0;
  virtual bool ShowSave() = 0;
};
