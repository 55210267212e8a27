#include "compute/mAsItStands.h"

#include <array>

#include "compute/mCompute.h"
#include "criteria/cNoiseLimits.h"
#include "study/cError.h"
#include "study/cStudy.h"

namespace {

constexpr std::int32_t tableCount = 3;  // Lmax, Leq, L10
constexpr std::int16_t rows = 3;
constexpr std::int16_t cols = 6;

// The baselines stamped in the three metric tables when the work began; put
// back when it ends, so the window's limits stay those of its receptor.
class StampedBaselines {
public:
  explicit StampedBaselines(cStudy& study) : study_(study) {
    forEachCell([this](cEquationRecord& eq, std::size_t i) { saved_[i] = eq.baseLine; });
  }
  ~StampedBaselines() {
    forEachCell([this](cEquationRecord& eq, std::size_t i) { eq.baseLine = saved_[i]; });
  }
  StampedBaselines(const StampedBaselines&) = delete;
  StampedBaselines& operator=(const StampedBaselines&) = delete;

  // What setBaselines does for the current receptor, for this one: its
  // baselines into the Lmax table and the table of the case's metric.
  void stamp(const cReceptorRecord& r) {
    for (std::int16_t row = 1; row <= rows; ++row) {
      for (std::int16_t col = 1; col <= cols; ++col) {
        const float base = col <= 2 ? r.dayBase : col <= 4 ? r.eveBase : r.niteBase;
        for (std::int32_t code : {0, study_.NoiseMetric})
          if (auto eq = study_.NoiseLimits.getCriteria(code, row, col)) eq->baseLine = base;
      }
    }
  }

private:
  template <typename F>
  void forEachCell(F f) {
    std::size_t i = 0;
    for (std::int32_t code = 0; code < tableCount; ++code)
      for (std::int16_t row = 1; row <= rows; ++row)
        for (std::int16_t col = 1; col <= cols; ++col, ++i)
          if (auto eq = study_.NoiseLimits.getCriteria(code, row, col)) f(*eq, i);
  }

  cStudy& study_;
  std::array<float, tableCount * rows * cols> saved_{};
};

// Whether the equipment is complete: the same for every receptor, so asked
// once for many.
bool equipmentComplete(cStudy& study) {
  cError validator(study);
  bool quiet = false;
  return validator.checkEquipment(quiet);
}

// The checks processReceptor makes before it computes, without messages and
// without touching the window.
bool inputComplete(cStudy& study, std::int32_t receptorID, bool equipmentOk) {
  cError validator(study);
  bool quiet = false;
  return validator.checkReceptor(receptorID, quiet) && equipmentOk && validator.checkLinks(receptorID, quiet);
}

std::shared_ptr<cReceptorRecord> computeAside(cStudy& study, StampedBaselines& baselines, std::int32_t receptorID,
                                              bool equipmentOk) {
  std::shared_ptr<cReceptorRecord> stored;
  if (!study.getReceptor(stored, receptorID) || !inputComplete(study, receptorID, equipmentOk)) return nullptr;
  auto aside = stored->copy();
  baselines.stamp(*aside);
  mCompute::computeReceptorLinks(study, *aside, false);
  mCompute::computeReceptorTotals(study, *aside);
  return aside;
}

}  // namespace

namespace mAsItStands {

std::shared_ptr<cReceptorRecord> computeReceptor(cStudy& study, std::int32_t receptorID) {
  StampedBaselines baselines(study);
  return computeAside(study, baselines, receptorID, equipmentComplete(study));
}

std::vector<std::shared_ptr<cReceptorRecord>> computeEach(cStudy& study, const std::vector<std::int32_t>& receptorIDs) {
  StampedBaselines baselines(study);
  const bool equipmentOk = equipmentComplete(study);
  std::vector<std::shared_ptr<cReceptorRecord>> out;
  out.reserve(receptorIDs.size());
  for (const std::int32_t id : receptorIDs) out.push_back(computeAside(study, baselines, id, equipmentOk));
  return out;
}

std::vector<std::shared_ptr<cReceptorRecord>> computeAll(cStudy& study) {
  std::vector<std::int32_t> ids(study.colReceptors.size());
  for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = static_cast<std::int32_t>(i + 1);
  return computeEach(study, ids);
}

}  // namespace mAsItStands
