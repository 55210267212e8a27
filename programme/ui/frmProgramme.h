#pragma once
// The programme window: the phases as a list to edit in place (name, weeks,
// periods) and as a timeline, the worst exceedance of every receptor and
// period week by week, and one receptor's levels on a chart. It stays open
// beside the main window; a phase opened there and saved is read again here.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "programme/cPhaseCases.h"
#include "programme/cProgramme.h"
#include "programme/cProgrammeResults.h"

class IMessageService;
class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class SF_FilePrompt;
class cProgrammeChart;
class cProgrammeTimeline;

class frmProgramme : public QWidget {
  Q_OBJECT

public:
  // Columns of the phase list.
  enum PhaseColumn { colName, colCase, colFirst, colLast, colDay, colEvening, colNight, colStatus, phaseColumns };

  frmProgramme(SF_FilePrompt& prompt, IMessageService& messages, QWidget* parent = nullptr);
  ~frmProgramme() override;

  // Reads a programme and its phases' cases. False, after "Problem reading
  // programme file.", when the file is not one; phases that are missing,
  // unreadable or whose receptors differ are named in one message and shown
  // as not available.
  bool openFile(const std::string& path);

  // The window's commands, as its buttons give them.
  bool addPhase();        // asks for a case file; a case whose receptors differ is refused
  bool addPhaseFile(const std::string& casePath);
  void removePhase();     // the selected phase
  void movePhase(int direction);  // the selected phase up (-1) or down (+1)
  void openSelectedPhase();
  bool save();
  bool saveAs();
  void chooseCriteria();
  void useFirstPhaseCriteria();

  // Reads again the cases whose files changed since they were read (a phase
  // saved from the main window).
  void reloadIfChanged();

  const cProgramme& programme() const { return programme_; }
  const cProgrammeResults& results() const { return results_; }
  const cPhaseCases& cases() const { return cases_; }
  const std::string& path() const { return path_; }
  bool changed() const { return changed_; }

  QTableWidget* phaseTable() const { return phases_; }
  QTableWidget* exceedanceTable() const { return exceedances_; }
  cProgrammeTimeline* timeline() const { return timeline_; }
  cProgrammeChart* chart() const { return chart_; }
  QComboBox* chartReceptor() const { return chartReceptor_; }
  QComboBox* chartMetric() const { return chartMetric_; }

  // The text and colour of the exceedance table for a receptor (by
  // position), period and week; the colour is the overview's.
  static QString exceedanceText(const cProgrammeResults::Cell& cell);
  static float worstExceedance(const cProgrammeResults::Cell& cell);

signals:
  // The user asked to edit this phase's case in the main window.
  void openPhaseRequested(const std::string& casePath);

protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

private:
  void build();
  void reload();     // the cases read again, then everything recomputed
  void recompute();  // the cases as read, the programme as edited
  void showPhases();
  void showResults();
  void showChart();
  void showCaption();
  void phaseEdited(int row, int col);
  void markChanged();
  bool askToSave();
  void watchPhaseFiles();
  int selectedPhase() const;
  void say(const std::string& text);

  SF_FilePrompt& prompt_;
  IMessageService& messages_;
  cProgramme programme_;
  cPhaseCases cases_;
  cProgrammeResults results_;
  std::string path_;
  bool changed_ = false;
  bool filling_ = false;  // the program is writing the phase list; its edits are not the user's
  std::vector<std::filesystem::file_time_type> readTimes_;

  QLineEdit* description_ = nullptr;
  QComboBox* metric_ = nullptr;
  QLabel* criteria_ = nullptr;
  QTableWidget* phases_ = nullptr;
  cProgrammeTimeline* timeline_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QTableWidget* exceedances_ = nullptr;
  QComboBox* chartReceptor_ = nullptr;
  QComboBox* chartMetric_ = nullptr;
  cProgrammeChart* chart_ = nullptr;
  QLabel* status_ = nullptr;
  QFileSystemWatcher* watcher_ = nullptr;
};
