#include "programme/ui/cProgrammeWindows.h"

#include "SF_FilePrompt.h"
#include "programme/mProgrammeFile.h"
#include "programme/ui/frmProgramme.h"

cProgrammeWindows::cProgrammeWindows(SF_FilePrompt& prompt, IMessageService& messages, QWidget* mainWindow,
                                     std::function<void(const std::string&)> openCase)
    : QObject(mainWindow), prompt_(prompt), messages_(messages), mainWindow_(mainWindow), openCase_(std::move(openCase)) {}

frmProgramme* cProgrammeWindows::create() {
  // A window of its own beside the main window, closed with it.
  auto* window = new frmProgramme(prompt_, messages_, mainWindow_);
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &frmProgramme::openPhaseRequested, this, [this](const std::string& path) {
    if (openCase_) openCase_(path);
  });
  last_ = window;
  return window;
}

frmProgramme* cProgrammeWindows::newProgramme() {
  frmProgramme* window = create();
  window->show();
  window->raise();
  return window;
}

frmProgramme* cProgrammeWindows::openProgramme() {
  prompt_.OpenMode(SF_READ);
  prompt_.FilePrompt("Programme File");
  prompt_.FileSuffix(mProgrammeFile::suffix);
  if (prompt_.getFile() != SF_FILE_OK) return nullptr;
  return openProgrammeFile(prompt_.Directory() + prompt_.FileName(1));
}

frmProgramme* cProgrammeWindows::openProgrammeFile(const std::string& path) {
  frmProgramme* window = create();
  if (!window->openFile(path)) {
    delete window;
    return nullptr;
  }
  window->show();
  window->raise();
  return window;
}

frmProgramme* cProgrammeWindows::last() const { return last_; }

bool cProgrammeWindows::closeAll() {
  for (frmProgramme* window : mainWindow_->findChildren<frmProgramme*>(Qt::FindDirectChildrenOnly))
    if (window->isVisible() && !window->close()) return false;
  return true;
}
