#include "mScreenshots.h"

#include <functional>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "SF_ScriptedDialog.h"
#include "app/gui/cProgram.h"
#include "app/gui/frmMain.h"
#include "app/gui/mMain.h"
#include "qtplatform/IDocumentOpener.h"
#include "qtplatform/cMemorySettingsStore.h"
#include "qtplatform/cSheetGrid.h"
#include "criteria/ui/frmCriteria.h"
#include "study/cScriptedMessageService.h"

namespace {

class cNoOpener : public IDocumentOpener {
public:
  bool openDocument(const std::string&, const std::string&, const std::string&) override { return false; }
};

// Lets pending layout and paint events run, so a grab shows the settled window.
void settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// Runs open(), which shows a modal window; grabs that window once it is up,
// lets inside() work in it, and cancels it. A null image when no modal
// window came.
QImage grabModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inside = {}) {
  QImage shot;
  QWidget* const already = QApplication::activeModalWidget();
  auto context = std::make_unique<QObject>();
  int ticks = 0;
  std::function<void()> tick;
  tick = [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == already) {
      if (++ticks < 500) QTimer::singleShot(10, context.get(), tick);
      return;
    }
    settle();
    shot = modal->grab().toImage();
    if (inside) inside(modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    else modal->close();
  };
  QTimer::singleShot(0, context.get(), tick);
  open();
  // A poll still waiting for a window that never came stops here.
  context.reset();
  return shot;
}

class cShooter {
public:
  cShooter(std::string outDir, std::string& error) : outDir_(std::move(outDir)), error_(error) {}

  bool save(const QImage& image, const char* name) {
    if (image.isNull()) {
      error_ = std::string("the window for ") + name + " did not appear";
      return false;
    }
    const QString path = QString::fromStdString(outDir_) + '/' + QString::fromLatin1(name);
    if (!image.save(path, "PNG")) {
      error_ = "cannot write " + path.toStdString();
      return false;
    }
    return true;
  }

private:
  std::string outDir_;
  std::string& error_;
};

void trigger(frmMain& window, const char* item) {
  if (QAction* action = window.menuItem(QString::fromLatin1(item))) action->trigger();
}

}  // namespace

namespace mScreenshots {

bool take(const std::string& programDir, const std::string& casePath, const std::string& outDir, std::string& error) {
  // Nothing of the user's is read or written.
  QStandardPaths::setTestModeEnabled(true);
  cScriptedMessageService messages;
  SF_ScriptedDialog fileDialog;
  cMemorySettingsStore settings;
  cNoOpener opener;
  cStartupServices services{messages, fileDialog, settings, opener, programDir, [] {}};
  std::unique_ptr<cProgram> program = mMain::startup(services);
  if (!program) {
    error = "the program did not start from " + programDir;
    return false;
  }
  frmMain& window = *program->window;
  settle();

  fileDialog.chooseFile(casePath);
  trigger(window, "mFile_1");
  settle();
  if (program->study.colReceptors.empty()) {
    error = "the case " + casePath + " did not open";
    return false;
  }

  cShooter shooter(outDir, error);
  if (!shooter.save(window.grab().toImage(), "main-window.png")) return false;

  // The criteria dialog, and the equation dialog that a click on its first
  // cell opens.
  QImage equation;
  const QImage criteria = grabModal([&] { window.command(0)->click(); }, [&](QWidget* modal) {
    if (auto* dialog = qobject_cast<frmCriteria*>(modal))
      equation = grabModal([&] { emit dialog->sheet(0)->cellClicked(1, 1); });
  });
  if (!shooter.save(criteria, "criteria.png") || !shooter.save(equation, "equation.png")) return false;

  if (!shooter.save(grabModal([&] { window.command(2)->click(); }), "limits.png")) return false;
  if (!shooter.save(grabModal([&] { trigger(window, "mOptions_0"); }), "equipment-list.png")) return false;
  if (!shooter.save(grabModal([&] { trigger(window, "mExport_1"); }), "export.png")) return false;

  // The L10 adjustment belongs to the metric L10.
  window.cmboMetric()->setCurrentIndex(window.cmboMetric()->findText(QStringLiteral("L10")));
  settle();
  if (!shooter.save(grabModal([&] { window.command(1)->click(); }), "l10.png")) return false;
  return true;
}

}  // namespace mScreenshots
