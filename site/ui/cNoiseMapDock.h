#pragma once
// The "Noise Map" beside the site plan: the map as a layer of the plan's
// scene (under the symbols), its controls (what it shows, cell size,
// receiver height, the limit of an exceedance map, opacity), the legend,
// and the level under the pointer in the window's status bar. The map is
// computed off the window's thread: every edit, undo, selection and drag
// starts a new computation that cancels the one before it, with a progress
// bar while it runs, so the window never waits for it.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <QDockWidget>
#include <QGraphicsView>
#include <QPointer>
#include <QRectF>

#include "site/cGridFrame.h"
#include "site/cGridJob.h"
#include "site/mNoiseMap.h"
#include "study/IResultsSheetView.h"

class IMessageService;
class QCheckBox;
class QGraphicsRectItem;
class SF_FilePrompt;
class QComboBox;
class QDoubleSpinBox;
class QGraphicsScene;
class QGraphicsView;
class QGridLayout;
class QLabel;
class QMainWindow;
class QProgressBar;
class QPushButton;
class QSlider;
class cNoiseMapItem;
class cStudy;

// What saving the map as a picture asks through: the program's file prompt
// and messages (without them the map is not saved).
struct sNoiseMapServices {
  SF_FilePrompt* prompt = nullptr;
  IMessageService* messages = nullptr;
};

class cNoiseMapDock : public QDockWidget {
public:
  using Services = sNoiseMapServices;
  // Shows the map on the plan's scene and view; docks itself under the
  // plan's dock when one is given, and adds itself to the View menu and its
  // pictures to File > Export Results.
  cNoiseMapDock(cStudy& study, QMainWindow& window, QGraphicsScene& scene, QGraphicsView& view,
                QDockWidget* besides = nullptr, Services services = {});
  ~cNoiseMapDock() override;

  // What the study shows its results on: the given view, then this map
  // computed again.
  IResultsSheetView& resultsView(IResultsSheetView& results);

  // Starts the map's computation for the study as it is now (cancelling
  // one still running), or clears it when it is hidden or has nothing to show.
  void recompute();
  // The same once the window's events have been handled: many edits in one
  // go compute once.
  void scheduleRecompute();

  cNoiseMapItem* item() const { return item_; }
  bool busy() const { return !runs_.empty(); }
  int mapsShown() const { return shown_; }
  int mapsDropped() const { return dropped_; }
  QLabel* status() const { return status_; }

  // Saves the plan's view with the map and its legend, asking for the file:
  // a PNG image, or an SVG drawing.
  void savePicture(bool svg);
  // The legend as the picture shows it.
  // The extent the user drew, in plan coordinates (xmin, ymin, xmax, ymax),
  // or none while the map covers the plan's extent.
  std::optional<QRectF> drawnExtent() const { return extent_; }
  // Back to the plan's extent.
  void usePlanExtent();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  class cRelay;
  struct sRun {
    std::shared_ptr<cGridJob> job;
    std::thread thread;
  };
  void buildControls();
  std::string caseIdentity() const;
  void rebuildLegend();
  void finished(std::uint64_t generation, cGridJob::Outcome outcome);
  void cancelAll();
  void showPointer(const QPointF& scenePos);
  bool exceedanceChosen() const;
  void syncChoices();
  void showMapCommands();
  bool extentEvent(QEvent* event);
  void endExtentTool();

  cStudy& study_;
  QMainWindow& window_;
  // The plan's view may go before this dock when the window closes.
  QPointer<QGraphicsView> view_;
  QPointer<QWidget> viewport_;  // the view's, watched for the pointer
  cNoiseMapItem* item_ = nullptr;
  std::unique_ptr<cRelay> relay_;
  QCheckBox* show_ = nullptr;
  QComboBox* layer_ = nullptr;
  QComboBox* landUse_ = nullptr;
  QComboBox* period_ = nullptr;
  QCheckBox* impact_ = nullptr;
  QDoubleSpinBox* baseline_ = nullptr;
  QDoubleSpinBox* cell_ = nullptr;
  QDoubleSpinBox* height_ = nullptr;
  QSlider* opacity_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* drawExtent_ = nullptr;
  QPushButton* planExtent_ = nullptr;
  QPushButton* savePng_ = nullptr;
  QPushButton* saveSvg_ = nullptr;
  QAction* menuPng_ = nullptr;
  QAction* menuSvg_ = nullptr;
  Services services_;
  // The extent drawn on the plan, kept while the program runs; the
  // rectangle being drawn and where its drag began.
  std::optional<QRectF> extent_;
  std::string extentCase_;  // the case file the extent was drawn on: another case maps its own plan
  QGraphicsRectItem* rubber_ = nullptr;
  std::optional<QPointF> extentStart_;
  QWidget* exceedRow_ = nullptr;
  QGridLayout* legend_ = nullptr;
  std::map<std::uint64_t, sRun> runs_;
  std::uint64_t generation_ = 0;
  // What the running computation will show: its frame and limit.
  cGridFrame frame_;
  std::optional<float> limit_;
  // The storage of the last map, for the next computation to fill again.
  cNoiseGrid spare_;
  bool dragging_ = false;  // the left button is down on the plan
  bool pending_ = false;
  int shown_ = 0, dropped_ = 0;
};
