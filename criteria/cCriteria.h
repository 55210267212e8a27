#pragma once
// The criteria manager without its dialog: checking that every criterion of
// the tables in use is set, and clearing the tables to "N/A".

#include <cstdint>
#include <memory>

class cEquationRecord;
class cNoiseLimits;
class cStudy;

class cCriteria {
public:
  cCriteria(cNoiseLimits& limits, cStudy& study);

  // Every cell of all three metric tables to "N/A"; with askFirst the user is
  // asked "Set all Criteria to N/A?" and No leaves them as they are.
  void clearCriteria(bool askFirst = false);

  // Every cell of both tables held for Cancel to "N/A".
  void clearHold();

  // True when no cell of the Lmax table or of the current metric's table is
  // unset; otherwise false, with a message when asked.
  bool check(bool& showMessage);

  // The criterion shown in a cell: sheet 1 is the current metric's table, any
  // other sheet the Lmax table.
  std::shared_ptr<cEquationRecord> getEquation(int sheetIndex, std::int16_t row, std::int16_t col) const;

private:
  cNoiseLimits& limits_;
  cStudy& study_;
};
