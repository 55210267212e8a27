#pragma once
// The criteria block (the Lmax, L10 and Leq tables, one line per cell) that
// makes a criteria file and ends every case file, and the criteria file
// itself: open, save and reload the default file beside the program.
//
// Reading parses the whole block before it touches a table, so a rejected
// file leaves every criterion as it was.

#include <cstdint>
#include <string>
#include <vector>

#include "SF_DataMessage.h"
#include "SF_FieldTable.h"

class cNoiseLimits;
class IMessageService;
class SF_FilePrompt;

class cCriteriaFile {
public:
  static constexpr std::size_t blockLines = 57;
  static constexpr std::size_t fileLines = 59;

  explicit cCriteriaFile(cNoiseLimits& limits);

  // Appends the 57 lines of the criteria block.
  void buildOutput(std::vector<std::string>& lines) const;

  // Reads the block whose first line ("Lmax...") is line index + 1 of lines
  // (lines counted from 1). On success index is left on the block's last
  // line; on failure (the block runs past the end, a number that does not
  // parse, a number missing) false, with index and the tables unchanged.
  bool buildInput(std::int32_t& index, const SF_FieldTable& lines);

  // The criteria file at path; the old file stays whole when a write fails.
  SF_DataMessage writeFile(const std::string& path) const;
  // False when the file cannot be read or is not a criteria file.
  bool readFile(const std::string& path);

  // The criteria dialog's Open, Save and Default buttons, up to the point
  // where the dialog shows the criteria again. Each returns true when the
  // tables were loaded or the file was written.
  bool openFile(SF_FilePrompt& prompt, IMessageService& messages);
  bool saveFile(SF_FilePrompt& prompt, IMessageService& messages) const;
  bool loadDefault(const std::string& programDir, IMessageService& messages);

private:
  cNoiseLimits& limits_;
};
