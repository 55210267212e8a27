#pragma once
// File > New Programme and Open Programme: the programme windows beside the
// main window, each asking the main window to open a phase's case.

#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>

class IMessageService;
class SF_FilePrompt;
class frmProgramme;

class cProgrammeWindows : public QObject {
  Q_OBJECT

public:
  // openCase opens a case file in the main window (after its own questions).
  cProgrammeWindows(SF_FilePrompt& prompt, IMessageService& messages, QWidget* mainWindow,
                    std::function<void(const std::string&)> openCase);

  frmProgramme* newProgramme();
  // Asks for a programme file; null when cancelled or unreadable.
  frmProgramme* openProgramme();
  frmProgramme* openProgrammeFile(const std::string& path);
  // Closes every programme window, each asking about unsaved changes; false
  // when one stays open (its save failed).
  bool closeAll();
  // The window opened last, while it is open.
  frmProgramme* last() const;

private:
  frmProgramme* create();

  SF_FilePrompt& prompt_;
  IMessageService& messages_;
  QWidget* mainWindow_;
  std::function<void(const std::string&)> openCase_;
  QPointer<frmProgramme> last_;
};
