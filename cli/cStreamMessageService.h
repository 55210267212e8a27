#pragma once
// Message boxes for running without a window: each message is written as a
// line to a stream (standard error for vorn-batch); questions take their
// default answer.

#include <ostream>
#include <string>

#include "study/IMessageService.h"

class cStreamMessageService : public IMessageService {
public:
  explicit cStreamMessageService(std::ostream& out) : out_(out) {}

  MessageAnswer show(const std::string& text, const std::string& title, MessageIcon icon,
                     MessageButtons buttons = MessageButtons::Ok,
                     MessageAnswer defaultButton = MessageAnswer::Ok) override;

  // Whether any message was written.
  bool anyShown() const { return shown_; }

private:
  std::ostream& out_;
  bool shown_ = false;
};
