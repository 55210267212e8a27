#pragma once
// The main window: the receptor, equipment and results sheets in their
// frames, the metric list, the case description, the four command buttons
// and the menus. It lays out the widgets, shows what the study and the case
// file tell it (IMainView, ICaseFileView) and hands every event to
// cMainEvents; it computes nothing itself.

#include <array>
#include <memory>
#include <string>

#include <QMainWindow>

#include "casefile/ICaseFileView.h"
#include "study/IMainView.h"
#include "study/mEditMenu.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class IResultsSheetView;
class cEquipment;
class cEquipmentSheet;
class cMainEvents;
class cReceptors;
class cResults;
class cResultsChart;
class cResultsRelay;
class cResultsTips;
class cStudy;
class cVibrationTab;

class frmMain : public QMainWindow, public IMainView, public ICaseFileView {
  Q_OBJECT

public:
  frmMain(cStudy& study, cEquipment& equipmentManager, QWidget* parent = nullptr);
  ~frmMain() override;

  // True while the program itself writes cells, so that sheet events know
  // the change did not come from the user.
  bool gSoftwareButton = false;

  // Every event of the window goes to these handlers from now on.
  void setEvents(cMainEvents* events);

  cReceptors& receptors() { return *receptors_; }
  cEquipmentSheet& equipmentSheet() { return *equipment_; }
  cResults& results() { return *results_; }
  // The chart beside the results sheet, the tabs that hold both, and what
  // the study writes its results to (the sheet and the chart).
  cResultsChart& resultsChart() { return *chart_; }
  QTabWidget* resultTabs() const { return resultTabs_; }
  cResultsRelay& resultsRelay() { return *relay_; }
  IResultsSheetView& resultsView();
  cResultsTips& resultsTips() { return *tips_; }
  // The Vibration tab beside Table and Chart; it holds the case's vibration settings.
  cVibrationTab& vibrationTab() { return *vibration_; }

  // A menu item by its name ("mFile_1", "mEdit_3", ...); null when unknown.
  QAction* menuItem(const QString& name) const;

  QGroupBox* frameInput() const { return frameInput_; }
  QGroupBox* frameResult() const { return frameResult_; }
  QGroupBox* frameCriteria() const { return frameCriteria_; }
  QComboBox* cmboMetric() const { return cmboMetric_; }
  QLineEdit* txtCase() const { return txtCase_; }
  QPushButton* command(int index) const { return commands_.at(static_cast<std::size_t>(index)); }
  QLabel* lblReceptor(int index) const { return labels_.at(static_cast<std::size_t>(index)); }

  // Layout. The normal layout shows both frames; a zoomed frame fills the
  // window, and its sheets show more rows.
  void layoutNormal();
  void enlargeInputFrame();
  void enlargeResultFrame();
  // The window takes the size it prefers, as far as the screen it is on has
  // room for it (its sheets then show fewer rows and scroll), and stays on it.
  void fitToScreen();
  void keepOnScreen();
  // A line in the status bar for a few seconds (why a cell takes no typing).
  void showStatus(const std::string& text);

  // The Units items' check marks and the equipment sheet's distance heading.
  void showUnits(int units);

  // IMainView
  void setReceptorLabel(int index, const std::string& caption, std::uint32_t colorBGR) override;
  std::string receptorLabel(int index) const override;
  void setProcessButtonVisible(bool visible) override;
  void setSaveEnabled(bool enabled) override;
  void UndoMsgState(int undoType) override;
  void setEditMenu(int state) override;
  int editMenu() const override { return editMenuState_; }

  // ICaseFileView
  void displayCaption(const std::string& caseName) override;
  void showNoiseMetric(std::int32_t noiseMetric) override;
  void showCaseDescription(const std::string& text) override;
  void showEmptyCase() override;

protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void buildMenus();
  void buildControls();
  QAction* addItem(QMenu* menu, const QString& name, const QString& caption);

  cStudy& study_;
  cMainEvents* events_ = nullptr;
  std::unique_ptr<cReceptors> receptors_;
  std::unique_ptr<cEquipmentSheet> equipment_;
  std::unique_ptr<cResults> results_;
  cResultsChart* chart_ = nullptr;
  cResultsTips* tips_ = nullptr;
  std::unique_ptr<cResultsRelay> relay_;
  QTabWidget* resultTabs_ = nullptr;
  cVibrationTab* vibration_ = nullptr;

  QGroupBox* frameInput_ = nullptr;
  QGroupBox* frameResult_ = nullptr;
  QGroupBox* frameCriteria_ = nullptr;
  QWidget* topRow_ = nullptr;
  QComboBox* cmboMetric_ = nullptr;
  QLineEdit* txtCase_ = nullptr;
  std::array<QPushButton*, 4> commands_{};
  std::array<QLabel*, 3> labels_{};
  std::array<QAction*, mEditMenu::itemCount> editItems_{};
  int editMenuState_ = 0;
};
