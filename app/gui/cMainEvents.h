#pragma once
// The main window's event handlers: menu commands, buttons, the metric list,
// the case description, the three sheets' events, zooming and the exit path.
// Each handler turns the event into study operations and a silent
// recomputation of the current receptor; the window only routes to it.

#include <functional>
#include <memory>
#include <string>

#include <QCursor>
#include <QObject>
#include <QPointer>

class IDocumentOpener;
class IMessageService;
class SF_FilePrompt;
class cEquipment;
class cReceptorRecord;
class cRegistry;
class cStudy;
class frmMain;
class frmOverview;
class cProgrammeWindows;

class cMainEvents : public QObject {
  Q_OBJECT

public:
  struct Services {
    IMessageService& messages;
    SF_FilePrompt& prompt;
    IDocumentOpener& opener;
    cRegistry& registry;
    std::string programDir;      // ends with a path separator
    std::function<void()> quit;  // ends the program; runs after the settings are saved
  };

  cMainEvents(frmMain& window, cStudy& study, cEquipment& equipmentManager, Services services);
  ~cMainEvents() override;

  // Connects the window's menus, buttons, boxes and sheets to the handlers.
  void connectWindow();

  // File menu.
  void fileNew();
  void fileOpen();
  void caseOpenFinished(bool opened);
  bool fileSave();
  bool fileSaveAs();
  void fileExport(int type);  // 1 comma-delimited, 2 text
  // The PDF report of every receptor.
  void fileExportPdf();
  // The receptor that stopped an export stays selected and the cell at fault
  // becomes the active cell, as "Check Input Data" shows it, without a second
  // message.
  void showInputAtFault();
  // The exit path: the unsaved-work questions, the settings, then quit.
  // False when the user chose to stay.
  bool endSession();

  // Edit menu.
  void editCopy();
  void editPaste();
  void editDelete();
  void editUndo();

  // View, Options and Help menus.
  void setZoomMode(int mode);
  int zoomMode() const { return zoomMode_; }
  bool frameZoomed() const { return frameZoomed_; }
  void frameClicked(int frame);  // 0 input, 1 results
  void modifyEquipmentList();
  void setUnits(int units);      // 0 feet, 1 meters
  // Who prepares the reports, kept in the settings.
  void reportDetails();
  void openUserGuide();
  void showAbout();

  // The overview of every receptor, beside the main window; choosing one
  // there selects it here.
  void showOverview();
  frmOverview* overview() const;
  void selectReceptor(int receptorID);
  // The remedies of the selected receptor; the one chosen is applied as one
  // undoable edit.
  void whatWouldItTake();
  // The selected receptor's three baselines from a measurement file, as one
  // undoable edit.
  void baselinesFromMeasurement();
  // The chart as a "png" or "svg" file, by a name the user gives.
  void saveChart(const QString& format);

  // File > New Programme and Open Programme: programme windows beside this one.
  cProgrammeWindows& programmes();
  // A case file opened as File > Open opens one, after the same question
  // (a phase of a programme, to edit it here).
  void openCasePath(const std::string& path);

  // Buttons.
  void noiseLimitCriteria();
  void l10Calculation();
  void noiseLimits();
  void checkInputData();

  // The metric list's entry (0 "L10", 1 "Leq"), chosen by the user or set
  // by the program.
  void metricChosen(int index);
  // The case description box.
  void caseDescriptionEdited();
  void caseDescriptionLeft();

  // Receptor sheet.
  void receptorFocusLost();
  void receptorBlockSelected(bool wholeRows);
  void receptorCellEntered();
  void receptorRowChanged(int row);
  void receptorKeyTyped(int code);
  void receptorValueChanged(int col, int row);
  void receptorLandUseChosen(int row);

  // Equipment sheet.
  void equipmentFocusLost();
  void equipmentBlockSelected(bool wholeRows);
  void equipmentCellEntered(int row);
  void equipmentKeyTyped(int code);
  void equipmentCheckBoxClicked(int col, int row, bool checked);
  void equipmentValueChanged(int col, int row);
  // Fills a row from entry index (0-based) of the equipment list.
  void fillFromList(int row, int index);

  // One user edit over many cells (the Delete key over a block): one undo
  // snapshot for all of them.
  void userEditStarted();

  // Ends any edit still open in a cell and takes the description box's text,
  // so that a command works on what the user sees.
  void commitPendingEdits();

private:
  bool saveVibration();
  void recompute();
  void keyTyped(int code);
  bool askBeforeLosingCase(const char* firstLine, const char* question);
  bool askYesNo(const std::string& text);
  void refreshUnits();
  // Receptors and equipment up to the given row exist afterwards: the rows
  // before it are created blank, so records keep the rowID of their position.
  void ensureReceptor(int row);
  void ensureEquipment(int row);
  void applyZoomCursor(int mode);
  // The selected receptor, or null after telling the user there is none.
  std::shared_ptr<cReceptorRecord> selectedReceptorOrSay();
  void refreshOverview();

  frmMain& window_;
  cStudy& study_;
  cEquipment& equipmentManager_;
  Services services_;

  // The land-use choice took the snapshot for the value change it raises
  // next. The grid raises one event per check-box click and none for the
  // program's own writes, so the equipment sheet needs no such flags: each
  // click, choice and typed value is one undo step.
  bool receptorHeld_ = false;
  bool pasting_ = false;  // a paste is writing cells; its snapshot covers them
  bool metricReady_ = false;
  int zoomMode_ = 0;
  bool frameZoomed_ = false;
  QPointer<frmOverview> overview_;
  cProgrammeWindows* programmes_ = nullptr;
};
