#pragma once
// The one case in memory: receptors, equipment, the case-wide settings, the
// noise limit criteria, one level of undo, and the flags behind the main
// window's menus and buttons.
//
// Collections are 1-based in use and ordered: colReceptors[i - 1] holds the
// receptor whose rowID is i, and likewise for colEquipment; deletions
// renumber. Records are held by shared_ptr so that a record handed out by a
// lookup stays valid while the collection grows; copies made for undo are
// deep (copy() of each record).
//
// The study reaches the window only through the view interfaces attached with
// attachViews(); without them (tests, vorn-batch) nothing is shown.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "casefile/cCaseFile.h"
#include "criteria/cNoiseLimits.h"
#include "report/cReport.h"
#include "site/cSitePlan.h"
#include "site/cSitePosition.h"
#include "study/cEquipmentRecord.h"
#include "study/cMetric.h"
#include "study/cReceptorRecord.h"

class IMainView;
class IReceptorSheetView;
class IEquipmentSheetView;
class IResultsSheetView;
class IMessageService;

class cStudy {
public:
  cStudy();
  ~cStudy();
  cStudy(const cStudy&) = delete;
  cStudy& operator=(const cStudy&) = delete;

  std::vector<std::shared_ptr<cReceptorRecord>> colReceptors;
  std::vector<std::shared_ptr<cEquipmentRecord>> colEquipment;
  std::int32_t copyBlockCol = 0;
  bool isBlock = false;
  cNoiseLimits NoiseLimits;
  float adjustmentFactorDefault = 3.0f;
  float adjustmentFactor = 3.0f;
  std::string caseDescription;
  cCaseFile caseFile{*this};
  cReport Report{*this};
  std::int32_t NoiseMetric = 0;  // 1 Leq, 2 L10
  cMetric totals;
  std::int32_t units = 0;  // 0 feet, otherwise meters
  bool equipmentChanged = false;
  bool caseProcessed = false;
  bool noWarningMessage = false;
  std::int32_t editOperation = 0;
  std::int32_t spreadFocus = 0;  // 1 receptor sheet, 2 equipment sheet
  std::int32_t copyFrom = 0;     // 1 receptors, 2 equipment
  cSitePlan sitePlan;  // barriers, frame and background; positions are on the records

  // Any pointer may be null: that part of the window is then not there.
  void attachViews(IMainView* mainView, IReceptorSheetView* receptorSheet,
                   IEquipmentSheetView* equipmentSheet, IResultsSheetView* resultsSheet,
                   IMessageService* messages);
  IMainView& mainView();
  IReceptorSheetView& receptorSheet();
  IEquipmentSheetView& equipmentSheet();
  IResultsSheetView& resultsSheet();
  IMessageService& messages();
  bool hasResultsSheet() const { return resultsSheet_ != nullptr; }

  // Whether a case file is associated with the study; File > Save is enabled
  // only then. By default it asks caseFile; tests may replace it.
  std::function<bool()> caseFileOpen;

  // Lookups by 1-based ID. On false the out argument is left as it was.
  bool getReceptor(std::shared_ptr<cReceptorRecord>& record, std::int32_t receptorID) const;
  bool getEquipment(std::shared_ptr<cEquipmentRecord>& record, std::int32_t equipmentID) const;
  // False when no receptor is current; true when both the receptor and its
  // link to the equipment exist.
  bool getLink(std::shared_ptr<cLinkRecord>& link, std::int32_t receptorID, std::int32_t equipmentID) const;

  // Positions on the site plan by 1-based ID; none when not placed.
  std::optional<cSitePosition> receptorPosition(std::int32_t receptorID) const;
  std::optional<cSitePosition> equipmentPosition(std::int32_t equipmentID) const;

  std::shared_ptr<cReceptorRecord> addReceptor(std::int32_t id);
  std::shared_ptr<cEquipmentRecord> addEquipment(std::int32_t id);
  // Gives every receptor a link to every piece of equipment it lacks.
  void updateLinks();
  // Remove the records whose rowID (or links whose equipID) lie in
  // [first, last], then renumber the rest by position.
  void deleteReceptor(std::int32_t first, std::int32_t last);
  void deleteEquipment(std::int32_t first, std::int32_t last);
  void deleteLinks(std::int32_t first, std::int32_t last);
  // Empties the case; settings, the current receptor and the flags stay.
  void clear();

  std::int32_t receptorID() const { return receptorID_; }
  // Selects a receptor and shows it (captions, equipment, links), or shows
  // "No Receptor Selected" when no receptor has that ID.
  void setReceptorID(std::int32_t id);
  void outlineReceptor(std::int32_t row);

  // Converts every link distance: to meters when toMeters is non-zero, to
  // feet otherwise. The caller sets units afterwards.
  void recomputeDistance(std::int32_t toMeters);

  // State of the case kept above the study (the vibration settings): held
  // with every snapshot and given back with it. Either may be empty.
  std::function<void()> holdExtraState;
  std::function<void()> restoreExtraState;

  // undoType: 1 paste, 2 delete, 3 edit.
  void holdState(std::int32_t undoType);
  // Back to the last holdState; the snapshot stays, so it can be restored again.
  void restoreState();

  void copy();
  void paste();

  std::int32_t processButtonOn() const { return processButtonOn_; }
  // Any value but 1 shows the "Check Input Data" button.
  void setProcessButtonOn(std::int32_t value);
  bool caseChanged() const { return caseChanged_; }
  void setCaseChanged(bool changed);

  // The current receptor's results on the results sheet.
  void displayResults();
  // The current receptor's distances and shieldings on the equipment sheet.
  void displayLinks();

private:
  std::int32_t receptorID_ = 0;
  std::int32_t processButtonOn_ = 0;
  bool caseChanged_ = false;
  bool hasSnapshot_ = false;
  std::int32_t savedReceptorID_ = 0;
  std::vector<std::shared_ptr<cReceptorRecord>> savedReceptors_;
  std::vector<std::shared_ptr<cEquipmentRecord>> savedEquipment_;
  cSitePlan savedSitePlan_;
  std::int32_t outlinedRow_ = 0;

  IMainView* mainView_ = nullptr;
  IReceptorSheetView* receptorSheet_ = nullptr;
  IEquipmentSheetView* equipmentSheet_ = nullptr;
  IResultsSheetView* resultsSheet_ = nullptr;
  IMessageService* messages_ = nullptr;
};
