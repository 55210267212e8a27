#include "study/cScriptedMessageService.h"

MessageAnswer cScriptedMessageService::show(const std::string& text, const std::string& title, MessageIcon icon,
                                            MessageButtons buttons, MessageAnswer defaultButton) {
  messages_.push_back({text, title, icon, buttons, defaultButton});
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (answers_.empty()) return defaultButton;
  const MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void cScriptedMessageService::script(std::vector<MessageAnswer> answers) {
  answers_.assign(answers.begin(), answers.end());
}
