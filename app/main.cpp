// VORN: predicts construction-equipment noise at receptors and compares it
// with noise limits. Builds the application and its platform services and
// hands them to the startup routine.

#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QTimer>

#include "SF_QtFileDialog.h"
#include "qtplatform/cAnsweredOpenDialog.h"
#include "app/gui/cProgram.h"
#include "app/gui/frmMain.h"
#include "app/gui/mMain.h"
#include "qtplatform/cQtDocumentOpener.h"
#include "qtplatform/cQtMessageService.h"
#include "qtplatform/cQtSettingsStore.h"
#include "base/mProgramDirectory.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  cQtMessageService messages;
  SF_QtFileDialog qtFileDialog;
  cAnsweredOpenDialog fileDialog(qtFileDialog);
  cQtSettingsStore settings;
  cQtDocumentOpener opener;
  cStartupServices services{messages, fileDialog, settings, opener, programDirectory(),
                            [] { QCoreApplication::exit(0); }};
  std::unique_ptr<cProgram> program = mMain::startup(services);
  if (!program) return 1;
  messages.setParent(program->window.get());

  // A case file named on the command line, as the desktop does on a double
  // click, opens through File > Open once the window is up. Qt's own options
  // have been taken out of argv by now.
  if (argc > 1 && argv[1][0] != '-') {
    fileDialog.answerNextOpen(argv[1]);
    QTimer::singleShot(0, program->window.get(), [&program] {
      if (QAction* open = program->window->menuItem(QStringLiteral("mFile_1"))) open->trigger();
    });
  }

  // For the test that starts this executable: choose File > Exit once the
  // window is up. Nothing else reads the environment.
  if (const char* script = std::getenv("VORN_TEST_EXIT_AFTER_START"); script && *script == '1') {
    QTimer::singleShot(0, program->window.get(), [&program] {
      if (QAction* exit = program->window->menuItem(QStringLiteral("mFile_6"))) exit->trigger();
    });
  }
  return app.exec();
}
