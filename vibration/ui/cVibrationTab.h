#pragma once
// The results frame's Vibration tab: for the selected receptor, each active
// piece of equipment with the reference row it stands for (editable: the
// case's mapping), its PPV and Lv, the receptor's limits, the exceedances
// and the minimum working distances, under a line for the worst piece. The
// receptor's building category and annoyance limit and the case's soil
// exponent are edited above the table. The tab holds the case's vibration
// settings and reads and writes them beside the case file (mVibrationBeside:
// in the site GeoPackage of a case with a plan, else in the .vib file).
//
// Each edit is one step of the window's undo: the study's snapshot takes
// the settings with it, and Edit > Undo gives them back and redraws.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;
class IMessageService;
class IVibrationTable;
class cReceptorRecord;
class cStudy;
class cVibrationSettings;

class cVibrationTab : public QWidget {
  Q_OBJECT

public:
  enum Column {
    colEquipment,
    colSource,
    colDistance,
    colPPV,
    colPPVLimit,
    colPPVExceedance,
    colLv,
    colLvLimit,
    colLvExceedance,
    colMinDistancePPV,
    colMinDistanceLv,
    columnCount
  };

  explicit cVibrationTab(cStudy& study, QWidget* parent = nullptr);
  ~cVibrationTab() override;

  cVibrationSettings& settings() { return *settings_; }
  // The store of the vibration table inside the site file in this build;
  // null without site files.
  static IVibrationTable* siteTable();

  // Shows the selected receptor as the study now holds it; while the tab is
  // hidden, when it is next shown.
  void refresh();

  // A new case: the default settings.
  void caseClosed();
  // The settings beside a case just opened (the defaults when it has none).
  // False, after "Problem reading vibration file.", when they could not be
  // read; the defaults apply then.
  bool caseOpened(const std::string& directory, const std::string& fileName, IMessageService& messages);
  // Writes the settings beside the case just saved, when there is anything
  // to keep. False, after "Problem writing vibration file.", when it failed.
  bool caseSaved(const std::string& directory, const std::string& fileName, IMessageService& messages);

  QTableWidget* table() const { return table_; }
  QLabel* receptorLabel() const { return receptor_; }
  QDoubleSpinBox* exponentBox() const { return exponent_; }
  QComboBox* categoryBox() const { return category_; }
  QCheckBox* byLandUseBox() const { return byLandUse_; }
  QDoubleSpinBox* annoyanceBox() const { return annoyance_; }
  // The Source list of table row r (row 0 is the worst line).
  QComboBox* sourceBox(int row) const;
  QString cellText(int col, int row) const;

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  void buildControls();
  void draw();
  void drawCriteria(const cReceptorRecord* receptor);
  void setCell(int col, int row, const QString& text);
  QComboBox* sourceBoxFor(int row);
  void edited();
  cReceptorRecord* currentReceptor() const;
  void exponentChosen(double n);
  void categoryChosen(int index);
  void annoyanceChosen();
  void sourceChosen(int row, int index);
  // One undoable edit: the change is tried on a copy and, when it holds,
  // the study takes its snapshot (with the settings as they were) first.
  void change(const std::function<bool(cVibrationSettings&)>& edit);

  cStudy& study_;
  std::unique_ptr<cVibrationSettings> settings_;
  std::unique_ptr<cVibrationSettings> held_;  // as at the study's last snapshot
  bool drawing_ = false;
  bool stale_ = true;
  std::vector<std::string> rowDescriptions_;  // per table row from 1

  QLabel* receptor_ = nullptr;
  QDoubleSpinBox* exponent_ = nullptr;
  QComboBox* category_ = nullptr;
  QCheckBox* byLandUse_ = nullptr;
  QDoubleSpinBox* annoyance_ = nullptr;
  QTableWidget* table_ = nullptr;
};
