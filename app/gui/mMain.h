#pragma once
// The startup routine: loads the default equipment list, reads the settings,
// builds and shows the main window in its initial state. Its services come
// from the caller (app/main.cpp, or a test that starts the program offscreen).

#include <functional>
#include <memory>
#include <string>

class IDocumentOpener;
class IMessageService;
class ISettingsStore;
class SF_CommonDialog;
class cProgram;

struct cStartupServices {
  IMessageService& messages;
  SF_CommonDialog& fileDialog;
  ISettingsStore& settings;
  IDocumentOpener& opener;
  std::string programDir;      // ends with a path separator
  std::function<void()> quit;  // ends the program after the exit path
};

namespace mMain {

// The running program, or null when the default equipment list could not be
// read (the user has then been told, and no window was shown).
std::unique_ptr<cProgram> startup(const cStartupServices& services);

}  // namespace mMain
