#pragma once
// Message boxes and file prompts answered at random, as a careless user
// answers them: Yes or No to any question, and a file name from a small set
// (cases saved earlier, a report, junk, a folder that does not exist, the
// folder itself) or Cancel. Nothing is shown and nothing waits.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "SF_CommonDialog.h"
#include "study/IMessageService.h"
#include "tests/fuzzwin/cDice.h"

class cRandomMessages : public IMessageService {
public:
  explicit cRandomMessages(cDice& dice) : dice_(dice) {}
  MessageAnswer show(const std::string& text, const std::string&, MessageIcon, MessageButtons buttons,
                     MessageAnswer) override {
    ++shown;
    MessageAnswer answer = MessageAnswer::Ok;
    if (buttons != MessageButtons::Ok) answer = dice_.chance(50) ? MessageAnswer::Yes : MessageAnswer::No;
    if (log)
      log("  message '" + text.substr(0, 70) + "'" +
          (buttons == MessageButtons::Ok ? "" : answer == MessageAnswer::Yes ? " Yes" : " No"));
    return answer;
  }
  int shown = 0;
  std::function<void(const std::string&)> log;

private:
  cDice& dice_;
};

class cRandomFileDialog : public SF_CommonDialog {
public:
  cRandomFileDialog(cDice& dice, std::filesystem::path folder) : dice_(dice), folder_(std::move(folder)) {}

  void Filter(const std::string& filter) override {
    const std::size_t from = filter.find("(*.");
    const std::size_t to = filter.find(')', from);
    suffix_ = from == std::string::npos || to == std::string::npos ? "" : filter.substr(from + 3, to - from - 3);
  }
  void FilterIndex(int) override {}
  void InitDir(const std::string&) override {}
  void FileName(const std::string& name) override { fileName_ = name; }
  void MaxFileSize(int) override {}
  void Flags(std::uint32_t) override {}
  std::string FileName() const override { return fileName_; }
  std::string FileTitle() const override { return std::filesystem::path(fileName_).filename().string(); }
  // Opening may pick a file of any kind; saving keeps to the kind asked
  // for, so a case is never written over with a report (which the real
  // dialog would have asked about).
  bool ShowOpen() override {
    // The example as shipped, whatever an earlier Save wrote over it: when a
    // case is to be opened, the one open before is already closed.
    if (suffix_ == "cas") {
      std::error_code ec;
      std::filesystem::copy_file(example, folder_ / "example.cas", std::filesystem::copy_options::overwrite_existing,
                                 ec);
    }
    return choose({"a.cas", "b.cas", "example.cas", "example.cas", "example.cas", "junk.cas", "report.txt",
                                   "criteria.cri"});
  }
  bool ShowSave() override { return choose({}); }

private:
  bool choose(std::vector<std::string> names) {
    if (dice_.chance(15)) {
      if (log) log("  file prompt cancelled");
      return false;
    }
    for (const char* stem : {"a.", "b.", "c.", "missing/x."}) names.push_back(stem + suffix_);
    names.push_back("");
    const std::string name = dice_.pick(names);
    fileName_ = name.empty() ? folder_.string() : (folder_ / name).string();
    if (log) log("  file prompt: " + (name.empty() ? std::string("the folder itself") : name));
    return true;
  }

public:
  std::function<void(const std::string&)> log;
  std::filesystem::path example;  // a case as shipped, offered as example.cas

private:

  cDice& dice_;
  std::filesystem::path folder_;
  std::string suffix_;
  std::string fileName_;
};
