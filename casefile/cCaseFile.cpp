#include "casefile/cCaseFile.h"

#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "SF_DataASCII.h"
#include "SF_FilePrompt.h"
#include "casefile/ICaseFileView.h"
#include "base/mProgramFileLimit.h"
#include "compute/mProcess.h"
#include "site/mSiteFile.h"
#include "criteria/cCriteriaFile.h"
#include "study/IMessageService.h"
#include "study/ISheetView.h"
#include "study/IResultsSheetView.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mParseField.h"

namespace {

constexpr std::string_view kTitle = "Vornhall - Version 1.0";
constexpr const char* kReadProblem = "Problem reading case file.";
constexpr const char* kWriteProblem = "Problem writing case file.";
// Fields a record line needs; fields after them are ignored, as a hand-edited
// line with a trailing comma still reads.
constexpr std::size_t kEquipmentFields = 9;
constexpr std::size_t kReceptorFields = 7;
constexpr std::size_t kLinkFields = 4;

const char* flag(bool b) { return b ? "1" : "0"; }

// One case as read from a file, kept apart from the study until the whole
// file has been read.
struct CaseData {
  std::string description;
  float adjustmentFactor = 0.0f;
  std::int32_t noiseMetric = 0;
  std::int32_t units = 0;
  std::vector<std::shared_ptr<cEquipmentRecord>> equipment;
  std::vector<std::shared_ptr<cReceptorRecord>> receptors;
};

class CaseReader {
public:
  explicit CaseReader(const SF_FieldTable& lines) : lines_(lines) {}

  // Reads everything before the criteria block; on success the line index
  // (from 1) of "Criteria..." is in criteriaLine.
  bool read(CaseData& data, std::int32_t& criteriaLine) {
    if (!firstIs(0, kTitle)) return false;
    data.description = std::string(field(1, 0));
    if (!readSettings(data)) return false;
    if (!firstIs(3, "Equipment...")) return false;
    std::size_t line = 4;
    while (firstIs(line, "Equipment:")) {
      auto e = readEquipment(line);
      if (!e) return false;
      data.equipment.push_back(std::move(e));
      ++line;
    }
    if (!firstIs(line, "Receptors...")) return false;
    std::shared_ptr<cReceptorRecord> pending;
    for (++line; line < lines_.size(); ++line) {
      const std::string_view tag = field(line, 0);
      if (tag == "Receptor:") {
        if (pending) data.receptors.push_back(std::move(pending));
        pending = readReceptor(line);
        if (!pending) return false;
      } else if (tag == "Link:") {
        if (!pending) return false;  // a link must follow its receptor
        auto link = readLink(line);
        if (!link) return false;
        pending->colLinks.push_back(std::move(link));
      } else if (tag == "Criteria...") {
        if (pending) data.receptors.push_back(std::move(pending));
        criteriaLine = static_cast<std::int32_t>(line + 1);
        return true;
      }
    }
    return false;  // the file ended before its criteria
  }

private:
  std::string_view field(std::size_t line, std::size_t index) const {
    if (line >= lines_.size() || index >= lines_.fieldCount(line)) return {};
    return lines_.field(line, index);
  }
  bool firstIs(std::size_t line, std::string_view text) const {
    return line < lines_.size() && lines_.fieldCount(line) > 0 && lines_.field(line, 0) == text;
  }
  std::optional<float> number(std::size_t line, std::size_t index) const {
    return parseFloatField(field(line, index));
  }

  bool readSettings(CaseData& data) const {
    if (lines_.size() < 3 || lines_.fieldCount(2) < 3) return false;
    const auto adjustment = number(2, 0);
    if (!adjustment) return false;
    data.adjustmentFactor = *adjustment;
    const std::string_view metric = field(2, 1);
    if (metric == "L10")
      data.noiseMetric = 2;
    else if (metric == "Leq")
      data.noiseMetric = 1;
    else
      return false;
    data.units = field(2, 2) == "feet" ? 0 : 1;
    return true;
  }

  std::shared_ptr<cEquipmentRecord> readEquipment(std::size_t line) const {
    if (lines_.fieldCount(line) < kEquipmentFields) return nullptr;
    const auto rowID = parseIntField(field(line, 2), INT16_MIN, INT16_MAX);
    const auto usage = number(line, 5);
    const auto spec = number(line, 7);
    const auto actual = number(line, 8);
    if (!rowID || !usage || !spec || !actual) return nullptr;
    auto e = std::make_shared<cEquipmentRecord>();
    e->active = field(line, 1) == "1";
    e->rowID = static_cast<std::int16_t>(*rowID);
    e->description = std::string(field(line, 3));
    e->impactDevice = field(line, 4) == "1" ? 0 : 1;
    e->usage = *usage;
    e->spec_select = field(line, 6) == "1";
    e->spec_lmax = *spec;
    e->actual_lmax = *actual;
    return e;
  }

  std::shared_ptr<cReceptorRecord> readReceptor(std::size_t line) const {
    if (lines_.fieldCount(line) < kReceptorFields) return nullptr;
    const auto rowID = parseIntField(field(line, 1), INT16_MIN, INT16_MAX);
    const auto day = number(line, 4);
    const auto eve = number(line, 5);
    const auto nite = number(line, 6);
    if (!rowID || !day || !eve || !nite) return nullptr;
    auto r = std::make_shared<cReceptorRecord>();
    r->rowID = static_cast<std::int16_t>(*rowID);
    r->description = std::string(field(line, 2));
    r->setLandUseTxt(std::string(field(line, 3)));
    r->dayBase = *day;
    r->eveBase = *eve;
    r->niteBase = *nite;
    return r;
  }

  std::shared_ptr<cLinkRecord> readLink(std::size_t line) const {
    if (lines_.fieldCount(line) < kLinkFields) return nullptr;
    const auto equipID = parseIntField(field(line, 1), INT32_MIN, INT32_MAX);
    const auto distance = number(line, 2);
    const auto shielding = number(line, 3);
    if (!equipID || !distance || !shielding) return nullptr;
    auto link = std::make_shared<cLinkRecord>();
    link->equipID = *equipID;
    link->distance = *distance;
    link->sheilding = *shielding;
    return link;
  }

  const SF_FieldTable& lines_;
};

// A record's rowID is its position and its sheet row, and every lookup goes
// by it. A hand-edited file may number its records otherwise (5, 6, 7, or
// equipment 11 to 17): they are numbered by position, and each link follows
// its equipment to the new number. A link naming no equipment of the file
// could otherwise come to name one, so it is dropped; the sheets create the
// links they need.
template <class Record>
bool numberedByPosition(const std::vector<std::shared_ptr<Record>>& records) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i]->rowID != static_cast<std::int16_t>(i + 1)) return false;
  }
  return true;
}

void renumberByPosition(CaseData& data) {
  if (!numberedByPosition(data.equipment)) {
    std::map<std::int32_t, std::int32_t> newID;
    for (std::size_t i = 0; i < data.equipment.size(); ++i) {
      newID.emplace(data.equipment[i]->rowID, static_cast<std::int32_t>(i + 1));  // the first of equal numbers
      data.equipment[i]->rowID = static_cast<std::int16_t>(i + 1);
    }
    for (const auto& r : data.receptors) {
      std::vector<std::shared_ptr<cLinkRecord>> kept;
      for (const auto& link : r->colLinks) {
        const auto found = newID.find(link->equipID);
        if (found == newID.end()) continue;
        link->equipID = found->second;
        kept.push_back(link);
      }
      r->colLinks = std::move(kept);
    }
  }
  for (std::size_t i = 0; i < data.receptors.size(); ++i) data.receptors[i]->rowID = static_cast<std::int16_t>(i + 1);
}

}  // namespace

cCaseFile::cCaseFile(cStudy& study) : study_(study) {}

std::vector<std::string> cCaseFile::buildCaseLines() const {
  std::vector<std::string> lines;
  lines.emplace_back(kTitle);
  lines.push_back(quoteField(study_.caseDescription));
  const char* metric = study_.NoiseMetric == 1 ? "Leq" : study_.NoiseMetric == 2 ? "L10" : "";
  lines.push_back(numberText(study_.adjustmentFactor) + "," + metric + "," + (study_.units == 0 ? "feet" : "meters"));
  lines.emplace_back("Equipment...");
  for (const auto& e : study_.colEquipment) {
    lines.push_back(std::string("Equipment:,") + flag(e->active) + "," + std::to_string(e->rowID) + "," +
                    quoteField(e->description) + "," + flag(e->impactDevice == 0) + "," + numberText(e->usage) +
                    "," + flag(e->spec_select) + "," + numberText(e->spec_lmax) + "," +
                    numberText(e->actual_lmax));
  }
  lines.emplace_back("Receptors...");
  for (const auto& r : study_.colReceptors) {
    lines.push_back("Receptor:," + std::to_string(r->rowID) + "," + quoteField(r->description) + "," +
                    r->landUseTxt() + "," + numberText(r->dayBase) + "," + numberText(r->eveBase) + "," +
                    numberText(r->niteBase));
    for (const auto& link : r->colLinks)
      lines.push_back("Link:," + std::to_string(link->equipID) + "," + numberText(link->distance) + "," +
                      numberText(link->sheilding));
  }
  lines.emplace_back("Criteria...");
  cCriteriaFile(study_.NoiseLimits).buildOutput(lines);
  return lines;
}

SF_DataMessage cCaseFile::writeCaseFile(const std::string& path) const try {
  SF_DataASCII file;
  file.Lines(buildCaseLines());
  return file.writeLines(path) == SF_DATA_FILE_ERROR ? SF_DATA_FILE_ERROR : SF_DATA_OK;
} catch (const std::exception&) {
  return SF_DATA_FILE_ERROR;  // out of memory: the file on disk is as it was
}

bool cCaseFile::readCaseFile(const std::string& path) try {
  SF_DataASCII file;
  file.MaxFileBytes(kProgramFileMaxBytes);
  file.CommentFields(true);
  if (file.readFields(path) == SF_DATA_FILE_ERROR) return false;
  const SF_FieldTable& lines = file.Fields();
  CaseData data;
  std::int32_t criteriaLine = 0;
  if (!CaseReader(lines).read(data, criteriaLine)) return false;
  renumberByPosition(data);
  // The criteria go in last of the parts that can fail, and only whole.
  if (!cCriteriaFile(study_.NoiseLimits).buildInput(criteriaLine, lines)) return false;
  study_.caseDescription = std::move(data.description);
  study_.adjustmentFactor = data.adjustmentFactor;
  study_.NoiseMetric = data.noiseMetric;
  study_.units = data.units;
  study_.colEquipment = std::move(data.equipment);
  study_.colReceptors = std::move(data.receptors);
  return true;
} catch (const std::exception&) {
  return false;  // out of memory while reading: the study is as it was
}

bool cCaseFile::openCase(SF_FilePrompt& prompt) {
  closeCase();
  prompt.OpenMode(SF_READ);
  prompt.FilePrompt("Case File");
  prompt.FileSuffix("cas");
  if (prompt.getFile() != SF_FILE_OK) {
    bCaseOpen = false;
    return false;
  }
  return openCaseAt(prompt.Directory(), prompt.FileName(1));
}

bool cCaseFile::openCaseAt(const std::string& directory, const std::string& fileName) {
  caseFileName_ = fileName;
  caseDirectory_ = directory;
  bCaseOpen = true;
  if (!readCaseFile(caseDirectory_ + caseFileName_)) {
    // Nothing of the file reached the study, and no case stays open, so a
    // later Save cannot write an empty or partial case over the user's file.
    bCaseOpen = false;
    caseFileName_.clear();
    caseDirectory_.clear();
    study_.messages().show(kReadProblem, "VORN", MessageIcon::Critical);
    return false;
  }
  const int movedBySitePlan = mSiteFile::openBeside(study_, siteFile_, caseDirectory_ + caseFileName_);
  mProcess::processAllReceptors(study_);
  if (view_) view_->displayCaption(caseFileName_);
  study_.setCaseChanged(movedBySitePlan > 0);
  showOpenedCase();
  computeOpenedCase();
  return true;
}

void cCaseFile::showOpenedCase() {
  if (view_) {
    view_->showNoiseMetric(study_.NoiseMetric);
    view_->showCaseDescription(study_.caseDescription);
  }
  study_.equipmentSheet().display();
  study_.receptorSheet().display();
  study_.outlineReceptor(1);
}

void cCaseFile::computeOpenedCase() {
  const auto count = static_cast<std::int32_t>(study_.colReceptors.size());
  for (std::int32_t i = 1; i <= count; ++i) {
    study_.setReceptorID(i);
    mProcess::processReceptor(study_);
  }
  study_.setReceptorID(1);
  mProcess::processReceptor(study_);
}

void cCaseFile::closeCase() {
  study_.NoiseLimits.Criteria.clearCriteria();
  study_.clear();
  study_.receptorSheet().clear();
  study_.equipmentSheet().clear();
  study_.resultsSheet().clear();
  if (view_) view_->showCaseDescription("");
  study_.setReceptorID(1);
  study_.units = 0;
  study_.adjustmentFactor = study_.adjustmentFactorDefault;
  study_.setProcessButtonOn(2);
  bCaseOpen = false;
  study_.outlineReceptor(1);
  if (view_) {
    view_->showEmptyCase();
    view_->displayCaption("");
  }
}

bool cCaseFile::saveCaseAs(SF_FilePrompt& prompt) {
  prompt.OpenMode(SF_WRITE);
  prompt.FilePrompt("Case File");
  prompt.FileSuffix("cas");
  if (prompt.getFile() != SF_FILE_OK) return false;
  const std::string oldName = caseFileName_;
  const std::string oldDirectory = caseDirectory_;
  const bool wasOpen = bCaseOpen;
  caseFileName_ = prompt.FileName(1);
  caseDirectory_ = prompt.Directory();
  bCaseOpen = true;
  if (writeCaseFile(caseDirectory_ + caseFileName_) == SF_DATA_FILE_ERROR) {
    // The caption still names the old file, so Save keeps going there.
    caseFileName_ = oldName;
    caseDirectory_ = oldDirectory;
    bCaseOpen = wasOpen;
    study_.messages().show(kWriteProblem, "VORN", MessageIcon::Critical);
    return false;
  }
  if (view_) view_->displayCaption(caseFileName_);
  return mSiteFile::saveBeside(study_, siteFile_, caseDirectory_ + caseFileName_);
}

bool cCaseFile::saveCase() {
  if (writeCaseFile(caseDirectory_ + caseFileName_) == SF_DATA_FILE_ERROR) {
    study_.messages().show(kWriteProblem, "VORN", MessageIcon::Critical);
    return false;
  }
  return mSiteFile::saveBeside(study_, siteFile_, caseDirectory_ + caseFileName_);
}
