#pragma once
// A message service that shows nothing: it records every message and answers
// from a script, for tests and for running without a window.

#include <deque>
#include <string>
#include <vector>

#include "study/IMessageService.h"

class cScriptedMessageService : public IMessageService {
public:
  struct Message {
    std::string text;
    std::string title;
    MessageIcon icon;
    MessageButtons buttons;
    MessageAnswer defaultButton;
    bool operator==(const Message&) const = default;
  };

  MessageAnswer show(const std::string& text, const std::string& title, MessageIcon icon,
                     MessageButtons buttons = MessageButtons::Ok,
                     MessageAnswer defaultButton = MessageAnswer::Ok) override;

  // Answers given in order to Yes/No questions; when the script runs out the
  // question's default button is the answer. OK boxes always answer Ok.
  void script(std::vector<MessageAnswer> answers);

  const std::vector<Message>& messages() const { return messages_; }
  void clear() { messages_.clear(); }

private:
  std::vector<Message> messages_;
  std::deque<MessageAnswer> answers_;
};
