#pragma once
// Message boxes on QMessageBox for the core's message service: the text,
// title, icon and buttons it asks for, with its default button, modal over
// the parent window, or over the modal dialog open at the time.

#include <QPointer>
#include <QWidget>

#include "study/IMessageService.h"

class QMessageBox;

class cQtMessageService : public IMessageService {
public:
  explicit cQtMessageService(QWidget* parent = nullptr);

  MessageAnswer show(const std::string& text, const std::string& title, MessageIcon icon,
                     MessageButtons buttons = MessageButtons::Ok,
                     MessageAnswer defaultButton = MessageAnswer::Ok) override;

  void setParent(QWidget* parent) { parent_ = parent; }

  // The box show() would run, set up but not shown.
  static void prepare(QMessageBox& box, const std::string& text, const std::string& title, MessageIcon icon,
                      MessageButtons buttons, MessageAnswer defaultButton);

private:
  QPointer<QWidget> parent_;
};
