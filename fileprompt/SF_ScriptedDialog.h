#pragma once
// A common file dialog that shows nothing: it records how each showing was
// set up and answers from a script, for tests and for running without a
// window. When the script runs out, every showing is cancelled.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "SF_CommonDialog.h"

class SF_ScriptedDialog : public SF_CommonDialog {
public:
  enum class Kind { Open, Save };

  // How the dialog stood when it was shown.
  struct Showing {
    Kind kind = Kind::Open;
    std::string filter;
    int filterIndex = 0;
    std::string initDir;
    std::string fileName;
    int maxFileSize = 0;
    std::uint32_t flags = 0;
    bool operator==(const Showing&) const = default;
  };

  // Queue answers for the next showings, in order.
  void chooseFile(const std::string& fullPath);
  void chooseFiles(const std::string& directory, const std::vector<std::string>& names);
  void cancel();
  // An answer exactly as a dialog would report it, for malformed answers.
  void answerRaw(const std::string& fileName, const std::string& fileTitle);

  const std::vector<Showing>& showings() const { return showings_; }
  const Showing& lastShowing() const { return showings_.back(); }

  void Filter(const std::string& filter) override { current_.filter = filter; }
  void FilterIndex(int index) override { current_.filterIndex = index; }
  void InitDir(const std::string& directory) override { current_.initDir = directory; }
  void FileName(const std::string& name) override { current_.fileName = name; }
  void MaxFileSize(int characters) override { current_.maxFileSize = characters; }
  void Flags(std::uint32_t flags) override { current_.flags = flags; }

  std::string FileName() const override { return current_.fileName; }
  std::string FileTitle() const override { return fileTitle_; }

  bool ShowOpen() override { return show(Kind::Open); }
  bool ShowSave() override { return show(Kind::Save); }

  // Default size of the name buffer, as a fresh platform dialog has it.
  static constexpr int defaultMaxFileSize = 260;

private:
  struct Answer {
    bool cancelled = true;
    std::string fileName;
    std::string fileTitle;
  };
  bool show(Kind kind);

  Showing current_{Kind::Open, {}, 0, {}, {}, defaultMaxFileSize, 0};
  std::string fileTitle_;
  std::deque<Answer> answers_;
  std::vector<Showing> showings_;
};
