#include "programme/cPhaseCases.h"

#include <filesystem>
#include <system_error>

#include "casefile/cCaseFile.h"
#include "criteria/cCriteriaFile.h"
#include "programme/cProgramme.h"
#include "study/cStudy.h"

namespace {

bool fileExists(const std::string& utf8) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(std::u8string(utf8.begin(), utf8.end())), ec);
}

std::string receptorName(const cReceptorRecord& r) {
  return "Receptor #" + std::to_string(r.rowID) + " \"" + r.description + "\"";
}

// Why the receptors of a phase differ from the reference's; empty when they match.
std::string receptorMismatch(const cStudy& phase, const cStudy& reference, const std::string& referenceName) {
  const auto& mine = phase.colReceptors;
  const auto& theirs = reference.colReceptors;
  for (std::size_t i = 0; i < mine.size() && i < theirs.size(); ++i) {
    if (mine[i]->rowID != theirs[i]->rowID || mine[i]->description != theirs[i]->description)
      return receptorName(*mine[i]) + " does not match " + receptorName(*theirs[i]) + " of " + referenceName + ".";
  }
  if (mine.size() > theirs.size()) return receptorName(*mine[theirs.size()]) + " is not in " + referenceName + ".";
  if (mine.size() < theirs.size()) return "it has no " + receptorName(*theirs[mine.size()]) + " of " + referenceName + ".";
  return {};
}

}  // namespace

cPhaseCases::cPhaseCases() : criteria_(std::make_unique<cStudy>()) {}

cPhaseCases::~cPhaseCases() = default;

std::string cPhaseCases::phaseName(const cProgramme& programme, std::size_t phase) {
  std::string name = "Phase " + std::to_string(phase + 1);
  if (phase < programme.phases.size() && !programme.phases[phase].name.empty())
    name += " \"" + programme.phases[phase].name + "\"";
  return name;
}

void cPhaseCases::load(const cProgramme& programme) {
  std::vector<std::unique_ptr<cStudy>> studies;
  std::vector<State> states;
  for (const auto& p : programme.phases) {
    auto study = std::make_unique<cStudy>();
    State state = State::available;
    if (!fileExists(p.casePath))
      state = State::missing;
    else if (!study->caseFile.readCaseFile(p.casePath))
      state = State::unreadable;
    states.push_back(state);
    studies.push_back(state == State::available ? std::move(study) : nullptr);
  }
  install(programme, std::move(studies));
  for (std::size_t k = 0; k < phases_.size(); ++k) {
    if (states[k] == State::available) continue;
    const std::string& path = programme.phases[k].casePath;
    phases_[k].state = states[k];
    phases_[k].message = phaseName(programme, k) + ": " +
                         (states[k] == State::missing ? "the case file \"" + path + "\" was not found."
                                                      : "Problem reading case file \"" + path + "\".");
  }
  matchReceptors(programme);
  loadCriteria(programme);
}

void cPhaseCases::setPhases(const cProgramme& programme, std::vector<std::unique_ptr<cStudy>> studies) {
  install(programme, std::move(studies));
  matchReceptors(programme);
  loadCriteria(programme);
}

void cPhaseCases::install(const cProgramme& programme, std::vector<std::unique_ptr<cStudy>> studies) {
  phases_.clear();
  phases_.resize(programme.phases.size());
  for (std::size_t k = 0; k < phases_.size(); ++k) {
    if (k < studies.size() && studies[k]) {
      phases_[k].state = State::available;
      phases_[k].study = std::move(studies[k]);
    } else {
      phases_[k].state = State::missing;
      phases_[k].message = phaseName(programme, k) + ": its case is not available.";
    }
  }
}

void cPhaseCases::matchReceptors(const cProgramme& programme) {
  reference_ = phases_.size();
  for (std::size_t k = 0; k < phases_.size(); ++k) {
    Phase& p = phases_[k];
    if (p.state != State::available) continue;
    if (reference_ == phases_.size()) {
      reference_ = k;
      continue;
    }
    const std::string why = receptorMismatch(*p.study, *phases_[reference_].study, phaseName(programme, reference_));
    if (!why.empty()) {
      p.state = State::mismatch;
      p.message = phaseName(programme, k) + ": " + why;
    }
  }
}

void cPhaseCases::loadCriteria(const cProgramme& programme) {
  criteria_ = std::make_unique<cStudy>();
  criteria_->NoiseLimits.Criteria.clearCriteria();
  criteriaMessage_.clear();
  const cStudy* first = reference();
  noiseMetric_ = programme.noiseMetric == 1 || programme.noiseMetric == 2 ? programme.noiseMetric
                 : first && (first->NoiseMetric == 1 || first->NoiseMetric == 2) ? first->NoiseMetric
                                                                                 : 2;
  criteria_->NoiseMetric = noiseMetric_;
  if (!programme.criteriaPath.empty()) {
    if (!cCriteriaFile(criteria_->NoiseLimits).readFile(programme.criteriaPath))
      criteriaMessage_ = "Problem reading Noise Limit Criteria file \"" + programme.criteriaPath +
                         "\": no limit applies until it can be read.";
    return;
  }
  if (!first) return;
  for (std::int32_t code = 0; code < 3; ++code)
    criteria_->NoiseLimits.table(code)->copy(*first->NoiseLimits.table(code));
}

bool cPhaseCases::available(std::size_t phase) const {
  return phase < phases_.size() && phases_[phase].state == State::available;
}

const cStudy* cPhaseCases::reference() const {
  return reference_ < phases_.size() ? phases_[reference_].study.get() : nullptr;
}

std::vector<std::string> cPhaseCases::messages() const {
  std::vector<std::string> out;
  for (const auto& p : phases_)
    if (p.state != State::available) out.push_back(p.message);
  if (!criteriaMessage_.empty()) out.push_back(criteriaMessage_);
  return out;
}
