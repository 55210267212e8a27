#pragma once
// The common file dialog on Qt's QFileDialog: open and save dialogs with a
// type list, a starting directory, a pre-filled name, the existence check in
// open mode, the overwrite question in save mode, several files at once, and
// the choice of a directory (open mode with "no validate" and "*.*" in the
// name box).

#include <cstdint>
#include <string>

#include <QPointer>
#include <QWidget>

#include "SF_CommonDialog.h"

class SF_QtFileDialog : public SF_CommonDialog {
public:
  explicit SF_QtFileDialog(QWidget* parent = nullptr);

  void Filter(const std::string& filter) override { filter_ = filter; }
  void FilterIndex(int index) override { filterIndex_ = index; }
  void InitDir(const std::string& directory) override { initDir_ = directory; }
  void FileName(const std::string& name) override { fileName_ = name; }
  void MaxFileSize(int characters) override { maxFileSize_ = characters; }
  void Flags(std::uint32_t flags) override { flags_ = flags; }

  std::string FileName() const override { return fileName_; }
  std::string FileTitle() const override { return fileTitle_; }

  bool ShowOpen() override { return show(false); }
  bool ShowSave() override { return show(true); }

  // The name filters handed to QFileDialog for a '|'-separated type list,
  // with "*.*" meaning every file as it does on the platform the list comes from.
  static QStringList nameFilters(const std::string& filter);

private:
  bool show(bool save);

  QPointer<QWidget> parent_;
  std::string filter_;
  int filterIndex_ = 0;
  std::string initDir_;
  std::string fileName_;
  int maxFileSize_ = 260;
  std::uint32_t flags_ = 0;
  std::string fileTitle_;
};
