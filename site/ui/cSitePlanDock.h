#pragma once
// The "Site Plan" beside the main window's sheets: the background, the
// receptors and equipment as numbered symbols, the barriers as lines, and
// the tools to place, drag, delete, draw barriers, measure, import layers
// and place a background. Every edit is a study operation of mSitePlan (one
// undo step, the selected receptor recomputed); the plan is redrawn each
// time the results are shown, so it follows every edit, undo and selection.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QDockWidget>
#include <QPointer>

#include "study/IResultsSheetView.h"

class QAction;
class QComboBox;
class QDoubleSpinBox;
class QGraphicsScene;
class QLabel;
class QMainWindow;
class QToolBar;
class IMessageService;
class ISiteFile;
class SF_FilePrompt;
class cBackgroundItem;
class cBarrierItem;
class cEquipmentItem;
class cMeasureItem;
class cReceptorItem;
class cSitePlanView;
class cStudy;

class cSitePlanDock : public QDockWidget {
public:
  struct Services {
    std::function<void(int)> selectReceptor;  // as a click on the receptor sheet's row
    SF_FilePrompt& prompt;
    IMessageService& messages;
  };
  // Docks itself on the window's right and adds its item to the View menu.
  cSitePlanDock(cStudy& study, QMainWindow& window, Services services);
  ~cSitePlanDock() override;

  // The store of the site file beside the case in this build.
  static ISiteFile& siteFile();

  // What the study should show its results on: the given view, then this
  // plan redrawn.
  IResultsSheetView& resultsView(IResultsSheetView& results);

  // Brings every symbol, line and the background in line with the study.
  void refresh();
  void zoomToFit();

  cSitePlanView* view() const { return view_; }
  QGraphicsScene* scene() const { return scene_; }
  cReceptorItem* receptorItem(int id) const;
  cBarrierItem* barrierItem(int index) const;
  cEquipmentItem* equipmentItem(int id) const;
  int barrierCount() const { return static_cast<int>(barriers_.size()); }
  QLabel* status() const { return status_; }
  QAction* action(const char* name) const;

  // Scene and plan coordinates: the plan's y grows to the north.
  static QPointF toScene(double x, double y);
  static void toPlan(const QPointF& scene, double& x, double& y);

private:
  class cRelay;
  void buildToolBar();
  void chooseTool(QAction* tool);
  void placeAt(const QPointF& scene);
  void movedTo(bool receptor, int id, const QPointF& scene);
  void cornerMovedTo(int barrier, int corner, const QPointF& scene);
  // Every placed receptor's colour by its worst exceedance: computed aside
  // (mAsItStands) once after the events of an edit, not per paint; the
  // selected receptor's comes from its shown results at once.
  void scheduleLevels();
  void computeLevels();
  void deleteSelected();
  void toggleTypedShielding();
  void importLayer();
  void chooseBackground();
  void loadBackground();
  void measure(const QPointF& from, const QPointF& to);
  void finishBarrier();
  void finishScaling();
  void syncPlaceList();
  double planHeight() const;
  std::string unitWord() const;

  cStudy& study_;
  Services services_;
  std::unique_ptr<cRelay> relay_;
  QGraphicsScene* scene_ = nullptr;
  cSitePlanView* view_ = nullptr;
  QToolBar* tools_ = nullptr;
  QComboBox* placeList_ = nullptr;
  QComboBox* importKind_ = nullptr;
  QDoubleSpinBox* topHeight_ = nullptr;
  QDoubleSpinBox* knownDistance_ = nullptr;
  QLabel* status_ = nullptr;
  std::map<int, cReceptorItem*> receptors_;
  std::map<int, cEquipmentItem*> equipment_;
  std::vector<cBarrierItem*> barriers_;
  std::map<int, int> levels_;  // receptor number: cReceptorItem::Level, as last computed
  bool levelsPending_ = false;
  cBackgroundItem* background_ = nullptr;
  std::string backgroundShown_;
  cMeasureItem* measure_ = nullptr;
  QPointF measureFrom_;
  std::string placeNames_;
  std::vector<QPointF> drawing_;  // barrier points or scaling clicks so far
  bool shownOnce_ = false;
  bool fitted_ = false;
};
