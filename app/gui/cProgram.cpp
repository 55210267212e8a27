#include "app/gui/cProgram.h"

#include "app/gui/cMainEvents.h"
#include "app/gui/frmMain.h"

cProgram::cProgram(SF_CommonDialog& fileDialog, ISettingsStore& settings) : registry(settings), prompt(fileDialog) {}

cProgram::~cProgram() {
  // The window goes first; nothing may reach it through the study meanwhile.
  study.attachViews(nullptr, nullptr, nullptr, nullptr, nullptr);
  study.caseFile.attachView(nullptr);
  if (window) window->setEvents(nullptr);
  events.reset();
  window.reset();
}
