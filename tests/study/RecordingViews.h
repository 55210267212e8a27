#pragma once
// Views that record every call the core makes on the window, in one ordered
// log shared by all of them, and answer from state the test sets up.

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "study/IMainView.h"
#include "study/IResultsSheetView.h"
#include "study/ISheetView.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"

struct CallLog {
  std::vector<std::string> calls;
  void add(std::string s) { calls.push_back(std::move(s)); }
};

inline std::string hex6(std::uint32_t c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06X", c);
  return buf;
}

class RecordingMainView : public IMainView {
public:
  explicit RecordingMainView(CallLog& log) : log_(log) {}
  void setReceptorLabel(int index, const std::string& caption, std::uint32_t color) override {
    labels[index] = caption;
    log_.add("main.label(" + std::to_string(index) + "," + caption + "," + hex6(color) + ")");
  }
  std::string receptorLabel(int index) const override {
    auto it = labels.find(index);
    return it == labels.end() ? std::string() : it->second;
  }
  void setProcessButtonVisible(bool visible) override {
    log_.add(std::string("main.processButton(") + (visible ? "visible" : "hidden") + ")");
  }
  void setSaveEnabled(bool enabled) override {
    log_.add(std::string("main.save(") + (enabled ? "enabled" : "disabled") + ")");
  }
  void UndoMsgState(int undoType) override { log_.add("main.undo(" + std::to_string(undoType) + ")"); }
  void setEditMenu(int state) override {
    editState = state;
    log_.add("main.editMenu(" + std::to_string(state) + ")");
  }
  int editMenu() const override { return editState; }

  std::map<int, std::string> labels;
  int editState = 0;

private:
  CallLog& log_;
};

template <class Base>
class RecordingSheet : public Base {
public:
  RecordingSheet(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  void display() override { add("display()"); }
  void clear() override { add("clear()"); }
  void setFocus() override { add("focus()"); }
  void setActiveCell(std::int32_t col, std::int32_t row) override {
    add("activeCell(" + std::to_string(col) + "," + std::to_string(row) + ")");
  }
  cCell currentCell() const override { return current; }
  void setCurrentCell(std::int32_t col, std::int32_t row) override {
    current.col = col;
    current.row = row;
    add("currentCell(" + std::to_string(col) + "," + std::to_string(row) + ")");
  }
  std::string cellText(std::int32_t col, std::int32_t row) const override {
    auto it = texts.find({col, row});
    return it == texts.end() ? std::string() : it->second;
  }
  void setCellNumber(std::int32_t col, std::int32_t row, double value) override {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", value);
    add("number(" + std::to_string(col) + "," + std::to_string(row) + "," + buf + ")");
  }
  SheetBlock selectedBlock() const override { return block; }
  void copySelection() override { add("copySelection()"); }
  void pasteClipboard() override { add("pasteClipboard()"); }
  bool cellTypeMatch(std::int32_t sourceCol, std::int32_t targetCol) override {
    add("cellTypeMatch(" + std::to_string(sourceCol) + "," + std::to_string(targetCol) + ")");
    return typesMatch;
  }

  cCell current;
  std::map<std::pair<int, int>, std::string> texts;
  SheetBlock block;
  bool typesMatch = true;

protected:
  void add(const std::string& s) { log_.add(name_ + "." + s); }

private:
  CallLog& log_;
  std::string name_;
};

class RecordingReceptorSheet : public RecordingSheet<IReceptorSheetView> {
public:
  explicit RecordingReceptorSheet(CallLog& log) : RecordingSheet(log, "recep") {}
  void setRowBorder(std::int32_t row, std::int32_t firstCol, std::int32_t lastCol, bool drawn,
                    std::uint32_t color) override {
    add("border(" + std::to_string(row) + "," + std::to_string(firstCol) + "," + std::to_string(lastCol) + "," +
        (drawn ? "on" : "off") + "," + hex6(color) + ")");
  }
};

class RecordingEquipmentSheet : public RecordingSheet<IEquipmentSheetView> {
public:
  explicit RecordingEquipmentSheet(CallLog& log) : RecordingSheet(log, "equip") {}
  void LockCells(bool lock) override { add(std::string("lock(") + (lock ? "true" : "false") + ")"); }
};

class RecordingResultsSheet : public IResultsSheetView {
public:
  explicit RecordingResultsSheet(CallLog& log) : log_(log) {}
  void clear() override {
    cells.clear();
    log_.add("results.clear()");
  }
  void setCellText(std::int32_t col, std::int32_t row, const std::string& text) override {
    cells[{col, row}] = text;
  }
  std::string cell(int col, int row) const {
    auto it = cells.find({col, row});
    return it == cells.end() ? std::string("<unset>") : it->second;
  }
  std::map<std::pair<int, int>, std::string> cells;

private:
  CallLog& log_;
};

inline const char* iconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return "critical";
    case MessageIcon::Information:
      return "information";
    case MessageIcon::Question:
      return "question";
    default:
      return "none";
  }
}

// Messages go into the same log as the view calls, so their order shows.
class RecordingMessages : public cScriptedMessageService {
public:
  explicit RecordingMessages(CallLog& log) : log_(log) {}
  MessageAnswer show(const std::string& text, const std::string& title, MessageIcon icon, MessageButtons buttons,
                     MessageAnswer defaultButton) override {
    log_.add("msg(" + text + "|" + title + "|" + iconName(icon) + ")");
    return cScriptedMessageService::show(text, title, icon, buttons, defaultButton);
  }

private:
  CallLog& log_;
};

// A study wired to recording views.
struct RecordedStudy {
  CallLog log;
  RecordingMainView main{log};
  RecordingReceptorSheet recep{log};
  RecordingEquipmentSheet equip{log};
  RecordingResultsSheet results{log};
  RecordingMessages messages{log};
  cStudy study;

  RecordedStudy() { study.attachViews(&main, &recep, &equip, &results, &messages); }
};
