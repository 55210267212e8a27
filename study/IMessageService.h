#pragma once
// Message boxes as the core sees them: a text, a title, an icon and the
// buttons to offer; the answer comes back. The window supplies a Qt
// implementation; tests and vorn-batch supply their own. Texts are bytes in
// the program's code page (Windows-1252); conversion happens in the window.

#include <string>

enum class MessageIcon { None, Critical, Information, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class IMessageService {
public:
  virtual ~IMessageService() = default;
  virtual MessageAnswer show(const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons = MessageButtons::Ok,
                             MessageAnswer defaultButton = MessageAnswer::Ok) = 0;
};
