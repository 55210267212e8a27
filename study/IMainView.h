#pragma once
// What the study and the computation change on the main window. The Qt window
// implements it; tests record the calls; without a window nothing is shown.

#include <cstdint>
#include <string>

class IMainView {
public:
  virtual ~IMainView() = default;

  // The three current-receptor labels (index 0..2; 0 is the input side, 1 the
  // results side). Colours are 0xBBGGRR: FF0000 blue, 0000FF red.
  virtual void setReceptorLabel(int index, const std::string& caption, std::uint32_t colorBGR) = 0;
  virtual std::string receptorLabel(int index) const = 0;

  // The "Check Input Data" button.
  virtual void setProcessButtonVisible(bool visible) = 0;

  // File > Save.
  virtual void setSaveEnabled(bool enabled) = 0;

  // Edit > Undo: 1 "Undo Paste", 2 "Undo Delete", 3 "Undo Edit", 4 nothing to undo.
  virtual void UndoMsgState(int undoType) = 0;

  // The edit-menu state (1..7) and its last value.
  virtual void setEditMenu(int state) = 0;
  virtual int editMenu() const = 0;
};
