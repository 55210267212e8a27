#pragma once
// The case of every phase of a programme, read from its file, with what
// stands in the way of using it: a file that is missing or unreadable, or
// receptors that do not match those of the phases before it. Also the
// programme's criteria and metric, which follow from the cases.
//
// Phases share their receptors: each available phase must list the same
// receptors, by number and description, as the first available one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cProgramme;
class cStudy;

class cPhaseCases {
public:
  enum class State { available, missing, unreadable, mismatch };

  struct Phase {
    State state = State::missing;
    std::unique_ptr<cStudy> study;  // null unless the file was read
    std::string message;            // why the phase is not available; empty when it is
  };

  cPhaseCases();
  ~cPhaseCases();
  cPhaseCases(const cPhaseCases&) = delete;
  cPhaseCases& operator=(const cPhaseCases&) = delete;

  // Reads every phase's case and the programme's criteria afresh.
  void load(const cProgramme& programme);
  // A phase's case given in memory, as if read from its file (tests, and the
  // benchmark's generated programmes); load() reads the files instead.
  void setPhases(const cProgramme& programme, std::vector<std::unique_ptr<cStudy>> studies);

  const std::vector<Phase>& phases() const { return phases_; }
  bool available(std::size_t phase) const;
  // The study whose receptors the programme assesses: the first available
  // phase's; null when no phase is available.
  const cStudy* reference() const;
  std::size_t referencePhase() const { return reference_; }
  // A study holding only the programme's criteria: the named criteria file's,
  // or the first available phase's; every limit "N/A" when there is neither.
  cStudy& criteria() { return *criteria_; }
  // 1 Leq or 2 L10: the programme's own, else the first available phase's.
  std::int32_t noiseMetric() const { return noiseMetric_; }
  // Every problem found, in phase order, the criteria file's last.
  std::vector<std::string> messages() const;
  const std::string& criteriaMessage() const { return criteriaMessage_; }

  // How a phase is named in messages: Phase 2 "Piling".
  static std::string phaseName(const cProgramme& programme, std::size_t phase);

private:
  void install(const cProgramme& programme, std::vector<std::unique_ptr<cStudy>> studies);
  void matchReceptors(const cProgramme& programme);
  void loadCriteria(const cProgramme& programme);

  std::vector<Phase> phases_;
  std::size_t reference_ = 0;
  std::unique_ptr<cStudy> criteria_;
  std::int32_t noiseMetric_ = 2;
  std::string criteriaMessage_;
};
