#pragma once
// The criteria manager without its dialog: checking that every criterion of
// the tables in use is set, and clearing the tables to "N/A".

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cEquationRecord;
class cNoiseLimits;
class cStudy;
class SF_FieldTable;
class SF_FilePrompt;

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

  // The criteria as the lines of a criteria file, and back from the rows of
  // one; see cCriteriaFile, which these hand over to.
  void buildOutput(std::vector<std::string>& lines) const;
  bool buildInput(std::int32_t& index, const SF_FieldTable& lines);
  // Asks for a criteria file and opens or saves it, with the program's messages.
  bool openFile(SF_FilePrompt& prompt);
  bool saveFile(SF_FilePrompt& prompt) const;
  // Loads "default criteria.cri" from the program's directory.
  bool loadDefault(const std::string& programDir);

private:
  cNoiseLimits& limits_;
  cStudy& study_;
};
