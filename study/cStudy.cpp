#include "study/cStudy.h"

#include <algorithm>

#include "compute/mCompute.h"
#include "compute/mProcess.h"
#include "site/mSitePlan.h"
#include "study/IMainView.h"
#include "study/IMessageService.h"
#include "study/IResultsSheetView.h"
#include "study/ISheetView.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace {

constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kOutline = 0x800000;

// Stand-ins for the parts of the window that are not attached.
class NullMainView : public IMainView {
public:
  void setReceptorLabel(int, const std::string&, std::uint32_t) override {}
  std::string receptorLabel(int) const override { return {}; }
  void setProcessButtonVisible(bool) override {}
  void setSaveEnabled(bool) override {}
  void UndoMsgState(int) override {}
  void setEditMenu(int state) override { state_ = state; }
  int editMenu() const override { return state_; }

private:
  int state_ = 0;
};

template <class Base>
class NullSheet : public Base {
public:
  void display() override {}
  void clear() override {}
  void setFocus() override {}
  void setActiveCell(std::int32_t, std::int32_t) override {}
  cCell currentCell() const override { return {}; }
  void setCurrentCell(std::int32_t, std::int32_t) override {}
  std::string cellText(std::int32_t, std::int32_t) const override { return {}; }
  void setCellNumber(std::int32_t, std::int32_t, double) override {}
  SheetBlock selectedBlock() const override { return {}; }
  void copySelection() override {}
  void pasteClipboard() override {}
  bool cellTypeMatch(std::int32_t, std::int32_t) override { return false; }
};

class NullReceptorSheet : public NullSheet<IReceptorSheetView> {
public:
  void setRowBorder(std::int32_t, std::int32_t, std::int32_t, bool, std::uint32_t) override {}
};

class NullEquipmentSheet : public NullSheet<IEquipmentSheetView> {
public:
  void LockCells(bool) override {}
};

class NullResultsSheet : public IResultsSheetView {
public:
  void clear() override {}
  void setCellText(std::int32_t, std::int32_t, const std::string&) override {}
};

class NullMessages : public IMessageService {
public:
  MessageAnswer show(const std::string&, const std::string&, MessageIcon, MessageButtons buttons,
                     MessageAnswer defaultButton) override {
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : defaultButton;
  }
};

template <class Record>
bool findByRowID(const std::vector<std::shared_ptr<Record>>& records, std::shared_ptr<Record>& out,
                 std::int32_t id) {
  for (const auto& r : records) {
    if (r->rowID == id) {
      out = r;
      return true;
    }
  }
  return false;
}

template <class Record>
void deleteRange(std::vector<std::shared_ptr<Record>>& records, std::int32_t first, std::int32_t last) {
  std::erase_if(records, [&](const auto& r) { return r->rowID >= first && r->rowID <= last; });
  for (std::size_t i = 0; i < records.size(); ++i) records[i]->rowID = static_cast<std::int16_t>(i + 1);
}

std::string idText(std::int32_t id) { return std::to_string(id); }

// A limit or exceedance pair as the sheets and reports show it: the Lmax by
// its word, the metric by the word its value gives, numbers as "0.0".
std::string lmaxText(const cMetric& m) { return m.sLmax != "Value" ? m.sLmax : format0_0(m.Lmax()); }

std::string levelText(float value) {
  const std::string word = markerWord(value);
  return word != "Value" ? word : format0_0(value);
}

}  // namespace

cStudy::cStudy() : NoiseLimits(*this) {
  caseFileOpen = [this] { return caseFile.bCaseOpen; };
}

cStudy::~cStudy() = default;

void cStudy::attachViews(IMainView* mainView, IReceptorSheetView* receptorSheet,
                         IEquipmentSheetView* equipmentSheet, IResultsSheetView* resultsSheet,
                         IMessageService* messages) {
  mainView_ = mainView;
  receptorSheet_ = receptorSheet;
  equipmentSheet_ = equipmentSheet;
  resultsSheet_ = resultsSheet;
  messages_ = messages;
}

IMainView& cStudy::mainView() {
  static NullMainView none;
  return mainView_ ? *mainView_ : none;
}

IReceptorSheetView& cStudy::receptorSheet() {
  static NullReceptorSheet none;
  return receptorSheet_ ? *receptorSheet_ : none;
}

IEquipmentSheetView& cStudy::equipmentSheet() {
  static NullEquipmentSheet none;
  return equipmentSheet_ ? *equipmentSheet_ : none;
}

IResultsSheetView& cStudy::resultsSheet() {
  static NullResultsSheet none;
  return resultsSheet_ ? *resultsSheet_ : none;
}

IMessageService& cStudy::messages() {
  static NullMessages none;
  return messages_ ? *messages_ : none;
}

bool cStudy::getReceptor(std::shared_ptr<cReceptorRecord>& record, std::int32_t receptorID) const {
  return findByRowID(colReceptors, record, receptorID);
}

std::optional<cSitePosition> cStudy::receptorPosition(std::int32_t receptorID) const {
  std::shared_ptr<cReceptorRecord> r;
  return getReceptor(r, receptorID) ? r->position : std::nullopt;
}

std::optional<cSitePosition> cStudy::equipmentPosition(std::int32_t equipmentID) const {
  std::shared_ptr<cEquipmentRecord> e;
  return getEquipment(e, equipmentID) ? e->position : std::nullopt;
}

bool cStudy::getEquipment(std::shared_ptr<cEquipmentRecord>& record, std::int32_t equipmentID) const {
  return findByRowID(colEquipment, record, equipmentID);
}

bool cStudy::getLink(std::shared_ptr<cLinkRecord>& link, std::int32_t receptorID,
                     std::int32_t equipmentID) const {
  if (receptorID_ == 0) return false;
  std::shared_ptr<cReceptorRecord> receptor;
  if (!getReceptor(receptor, receptorID)) return false;
  return receptor->getLink(link, equipmentID);
}

std::shared_ptr<cReceptorRecord> cStudy::addReceptor(std::int32_t id) {
  auto r = std::make_shared<cReceptorRecord>();
  r->rowID = static_cast<std::int16_t>(id);
  colReceptors.push_back(r);
  return r;
}

std::shared_ptr<cEquipmentRecord> cStudy::addEquipment(std::int32_t id) {
  auto e = std::make_shared<cEquipmentRecord>();
  e->rowID = static_cast<std::int16_t>(id);
  colEquipment.push_back(e);
  return e;
}

void cStudy::updateLinks() {
  for (const auto& receptor : colReceptors) {
    for (const auto& equipment : colEquipment) {
      std::shared_ptr<cLinkRecord> link;
      if (!receptor->getLink(link, equipment->rowID)) receptor->addLink(equipment->rowID);
    }
  }
}

void cStudy::deleteReceptor(std::int32_t first, std::int32_t last) { deleteRange(colReceptors, first, last); }

void cStudy::deleteEquipment(std::int32_t first, std::int32_t last) { deleteRange(colEquipment, first, last); }

void cStudy::deleteLinks(std::int32_t first, std::int32_t last) {
  for (const auto& receptor : colReceptors) {
    auto& links = receptor->colLinks;
    std::erase_if(links, [&](const auto& l) { return l->equipID >= first && l->equipID <= last; });
    for (std::size_t i = 0; i < links.size(); ++i) links[i]->equipID = static_cast<std::int32_t>(i + 1);
  }
}

void cStudy::clear() {
  colEquipment.clear();
  for (const auto& receptor : colReceptors) receptor->colLinks.clear();
  colReceptors.clear();
  caseDescription.clear();
  totals = cMetric();
  sitePlan = cSitePlan();
}

void cStudy::setReceptorID(std::int32_t id) {
  IReceptorSheetView& sheet = receptorSheet();
  const cCell current = sheet.currentCell();
  const std::string description = sheet.cellText(1, id);
  std::shared_ptr<cReceptorRecord> receptor;
  if (getReceptor(receptor, id)) {
    const std::string caption = "Receptor #" + idText(id);
    mainView().setReceptorLabel(0, caption + ": " + description, kBlue);
    mainView().setReceptorLabel(1, caption + ": " + description, kBlue);
    mainView().setReceptorLabel(2, caption, kBlue);
    receptorID_ = id;
    equipmentSheet().display();
    displayLinks();
  } else {
    for (int i = 0; i < 3; ++i) mainView().setReceptorLabel(i, "No Receptor Selected", kRed);
    receptorID_ = 0;
    resultsSheet().clear();
    // The equipment stays on show (without distances, which belong to a
    // receptor): an empty sheet would invite typing over pieces that exist.
    equipmentSheet().display();
  }
  sheet.setCurrentCell(current.col, current.row);
}

void cStudy::outlineReceptor(std::int32_t row) {
  if (outlinedRow_ != 0) receptorSheet().setRowBorder(outlinedRow_, 1, 5, false, kOutline);
  receptorSheet().setRowBorder(row, 1, 5, true, kOutline);
  outlinedRow_ = row;
}

void cStudy::recomputeDistance(std::int32_t toMeters) {
  for (const auto& receptor : colReceptors) {
    for (const auto& link : receptor->colLinks) {
      const double d = toMeters != 0 ? mCompute::feetToMeters(link->distance)
                                     : mCompute::metersToFeet(link->distance);
      link->distance = static_cast<float>(d);
    }
  }
  mSitePlan::convertPositions(*this, toMeters != 0);
}

void cStudy::holdState(std::int32_t undoType) {
  mainView().UndoMsgState(undoType);
  savedReceptorID_ = receptorID_;
  savedReceptors_.clear();
  for (const auto& r : colReceptors) savedReceptors_.push_back(r->copy());
  savedEquipment_.clear();
  for (const auto& e : colEquipment) savedEquipment_.push_back(e->copy());
  savedSitePlan_ = sitePlan;
  if (holdExtraState) holdExtraState();
  hasSnapshot_ = true;
}

void cStudy::restoreState() {
  // Undo is offered only after a snapshot; without one there is nothing to
  // go back to, and emptying the case would lose it.
  if (!hasSnapshot_) return;
  std::vector<std::shared_ptr<cEquipmentRecord>> equipment;
  for (const auto& e : savedEquipment_) equipment.push_back(e->copy());
  colEquipment = std::move(equipment);
  std::vector<std::shared_ptr<cReceptorRecord>> receptors;
  for (const auto& r : savedReceptors_) receptors.push_back(r->copy());
  colReceptors = std::move(receptors);
  std::string siteFileState = std::move(sitePlan.savedFingerprint);
  sitePlan = savedSitePlan_;
  sitePlan.savedFingerprint = std::move(siteFileState);
  if (restoreExtraState) restoreExtraState();
  equipmentSheet().display();
  receptorSheet().clear();
  receptorSheet().display();
  setReceptorID(savedReceptorID_);
  mProcess::processReceptor(*this);
  mainView().UndoMsgState(4);
}

void cStudy::copy() {
  ISheetView* sheet = nullptr;
  if (spreadFocus == 1) {
    sheet = &receptorSheet();
  } else if (spreadFocus == 2) {
    sheet = &equipmentSheet();
    const SheetBlock block = sheet->selectedBlock();
    if (block.col >= 4 && block.col2 < 9) {
      messages().show("Can't copy 'Impact Device','Usage','Lmax Spec' and 'Lmax Actual'", "VORN",
                      MessageIcon::Information);
      return;
    }
  } else {
    return;
  }
  isBlock = mainView().editMenu() == 5;
  copyBlockCol = sheet->selectedBlock().col;
  copyFrom = spreadFocus;
  sheet->copySelection();
  mainView().setEditMenu(2);
}

void cStudy::paste() {
  if (spreadFocus == 1 || spreadFocus == 2) {
    if (copyFrom == spreadFocus) {
      ISheetView& sheet = spreadFocus == 1 ? static_cast<ISheetView&>(receptorSheet())
                                           : static_cast<ISheetView&>(equipmentSheet());
      const std::int32_t targetCol = sheet.selectedBlock().col;
      const bool allowed = isBlock ? targetCol == copyBlockCol : sheet.cellTypeMatch(copyBlockCol, targetCol);
      if (allowed) {
        holdState(1);
        editOperation = 1;
        mainView().setEditMenu(1);
        if (spreadFocus == 2) equipmentSheet().LockCells(false);
        sheet.pasteClipboard();
        if (spreadFocus == 2) equipmentSheet().LockCells(true);
      }
    }
  } else {
    messages().show("Bad focus = " + std::to_string(spreadFocus), "VORN", MessageIcon::Critical);
  }
  setCaseChanged(true);
}

void cStudy::setProcessButtonOn(std::int32_t value) {
  processButtonOn_ = value;
  mainView().setProcessButtonVisible(value != 1);
}

void cStudy::setCaseChanged(bool changed) {
  caseChanged_ = changed;
  const bool caseOpen = caseFileOpen && caseFileOpen();
  mainView().setSaveEnabled(changed && caseOpen);
}

void cStudy::displayLinks() {
  for (const auto& equipment : colEquipment) {
    std::shared_ptr<cLinkRecord> link;
    if (getLink(link, receptorID_, equipment->rowID)) {
      equipmentSheet().setCellNumber(9, equipment->rowID, link->distance);
      equipmentSheet().setCellNumber(10, equipment->rowID, link->sheilding);
    }
  }
}

void cStudy::displayResults() {
  // Nothing to fill without a results sheet; the texts would go nowhere.
  if (!resultsSheet_) return;
  IResultsSheetView& sheet = *resultsSheet_;
  sheet.clear();
  if (receptorID_ == 0) return;
  std::shared_ptr<cReceptorRecord> receptor;
  if (!getReceptor(receptor, receptorID_)) return;

  const bool leq = NoiseMetric == 1;
  auto metricValue = [leq](const cMetric& m) { return leq ? m.Leq() : m.L10(); };
  auto writePair = [&](std::int32_t row, std::int32_t col, const cMetric& m) {
    sheet.setCellText(col, row, lmaxText(m));
    sheet.setCellText(col + 1, row, levelText(metricValue(m)));
  };

  const cMetric& t = receptor->calculated_totals;
  sheet.setCellText(2, 1, format0_0(t.Lmax()));
  sheet.setCellText(3, 1, format0_0(metricValue(t)));
  writePair(1, 4, receptor->day_lotLine_totals);
  writePair(1, 6, receptor->eve_lotLine_totals);
  writePair(1, 8, receptor->nite_lotLine_totals);
  writePair(1, 10, receptor->day_exceed_totals);
  writePair(1, 12, receptor->eve_exceed_totals);
  writePair(1, 14, receptor->nite_exceed_totals);

  std::int32_t row = 1;
  for (const auto& equipment : colEquipment) {
    std::shared_ptr<cLinkRecord> link;
    if (!getLink(link, receptorID_, equipment->rowID) || !equipment->active) continue;
    const cResultRecord& r = link->results;
    if (!r.computed) {
      mainView().setReceptorLabel(1, receptorSheet().cellText(1, receptorID_) + " not computed.", kRed);
      continue;
    }
    ++row;
    mainView().setReceptorLabel(1, mainView().receptorLabel(0), kBlue);
    sheet.setCellText(1, row, equipment->description);
    writePair(row, 2, r.calculated);
    writePair(row, 4, r.day_lotLine);
    writePair(row, 6, r.eve_lotLine);
    writePair(row, 8, r.nite_lotLine);
    writePair(row, 10, r.day_exceed);
    writePair(row, 12, r.eve_exceed);
    writePair(row, 14, r.nite_exceed);
  }
  sheet.displayed();
}
