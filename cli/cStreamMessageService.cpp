#include "cli/cStreamMessageService.h"

MessageAnswer cStreamMessageService::show(const std::string& text, const std::string& title, MessageIcon icon,
                                          MessageButtons buttons, MessageAnswer defaultButton) {
  out_ << text << '\n';
  out_.flush();
  shown_ = true;
  return buttons == MessageButtons::Ok ? MessageAnswer::Ok : defaultButton;
}
