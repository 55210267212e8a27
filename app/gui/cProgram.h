#pragma once
// The objects that live as long as the program runs: the study, the loaded
// equipment list, the settings, the file prompt, the main window and its
// handlers. Built by mMain::startup.

#include <memory>

#include "SF_FilePrompt.h"
#include "app/gui/cRegistry.h"
#include "study/cEquipment.h"
#include "study/cStudy.h"

class SF_CommonDialog;
class ISettingsStore;
class cMainEvents;
class frmMain;

class cProgram {
public:
  cProgram(SF_CommonDialog& fileDialog, ISettingsStore& settings);
  ~cProgram();
  cProgram(const cProgram&) = delete;
  cProgram& operator=(const cProgram&) = delete;

  cStudy study;
  cEquipment equipmentManager;
  cRegistry registry;
  SF_FilePrompt prompt;
  std::unique_ptr<frmMain> window;
  std::unique_ptr<cMainEvents> events;
};
