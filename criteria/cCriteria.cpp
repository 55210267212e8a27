#include "criteria/cCriteria.h"

#include "criteria/cCriteriaFile.h"
#include "criteria/cNoiseLimits.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"

cCriteria::cCriteria(cNoiseLimits& limits, cStudy& study) : limits_(limits), study_(study) {}

void cCriteria::clearCriteria(bool askFirst) {
  if (askFirst && study_.messages().show("Set all Criteria to N/A?", "VORN", MessageIcon::Information,
                                         MessageButtons::YesNo, MessageAnswer::Yes) == MessageAnswer::No)
    return;
  for (cNoiseLimitData* t : {&limits_.Limits_Lmax, &limits_.Limits_L10, &limits_.Limits_Leq})
    for (auto& cell : t->dataRecord) cell.equationRec->setValueText("N/A");
}

void cCriteria::clearHold() {
  for (std::int32_t code : {3, 4})
    for (auto& cell : limits_.table(code)->dataRecord) cell.equationRec->setValueText("N/A");
}

bool cCriteria::check(bool& showMessage) {
  for (std::int32_t code : {0, study_.NoiseMetric}) {
    const cNoiseLimitData* t = limits_.table(code);
    if (!t) continue;
    for (std::int16_t row = 1; row <= 3; ++row) {
      for (std::int16_t col = 1; col <= 6; ++col) {
        const auto eq = t->getCriteria(row, col);
        if (eq && eq->equationType == -1) {
          if (showMessage)
            study_.messages().show("Please complete the Noise Limit Criteria form.", "VORN",
                                   MessageIcon::Critical);
          return false;
        }
      }
    }
  }
  return true;
}

std::shared_ptr<cEquationRecord> cCriteria::getEquation(int sheetIndex, std::int16_t row,
                                                        std::int16_t col) const {
  const std::int32_t code = sheetIndex == 1 ? study_.NoiseMetric : 0;
  return limits_.getCriteria(code, row, col);
}

void cCriteria::buildOutput(std::vector<std::string>& lines) const { cCriteriaFile(limits_).buildOutput(lines); }

bool cCriteria::buildInput(std::int32_t& index, const SF_FieldTable& lines) {
  return cCriteriaFile(limits_).buildInput(index, lines);
}

bool cCriteria::openFile(SF_FilePrompt& prompt) { return cCriteriaFile(limits_).openFile(prompt, study_.messages()); }

bool cCriteria::saveFile(SF_FilePrompt& prompt) const {
  return cCriteriaFile(limits_).saveFile(prompt, study_.messages());
}

bool cCriteria::loadDefault(const std::string& programDir) {
  return cCriteriaFile(limits_).loadDefault(programDir, study_.messages());
}
