#pragma once
// How the data library tells the user about a problem without showing a window
// itself: the host installs a handler (its message boxes, critical-error icon,
// OK button); without one, messages go to standard error.

#include <string>

class SF_MessageHandler {
public:
  virtual ~SF_MessageHandler() = default;
  virtual void showError(const std::string& title, const std::string& text) = 0;

  // The handler stays the host's; pass nullptr to fall back to standard error.
  static void install(SF_MessageHandler* handler);
  static SF_MessageHandler* installed();
  // Shows the message through handler, else through the installed one, else on standard error.
  static void report(const std::string& title, const std::string& text, SF_MessageHandler* handler = nullptr);
};
