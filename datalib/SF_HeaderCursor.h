#pragma once
// Walks the keyword header of a measurement data file line by line, the way
// every keyword-header reader takes it: values by line position (keywords are
// not compared), counted blocks of free lines, and date-and-time values. Lines
// are split through SF_DataASCII. A read past the end, a value line without
// "**", or a count that is not a whole number or claims more lines than the
// file has left makes the step fail.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "SF_DataASCII.h"

class SF_Time;

class SF_HeaderCursor {
public:
  explicit SF_HeaderCursor(const std::vector<std::string>& lines);

  std::size_t position() const { return next_; }  // 0-based index of the next line
  std::size_t remaining() const { return lines_.size() - next_; }

  // The value of the next line: the text after "**", without the comma that
  // follows it, trimmed.
  bool value(std::string& out);
  // The next value's parts split at "," (trimmed), at least minParts of them.
  bool parts(std::vector<std::string>& out, std::size_t minParts);
  // The next value as a count of following lines: 0 up to the lines left.
  bool count(std::size_t& out);
  // n free lines, each as the text before any "**".
  bool freeLines(std::size_t n, std::vector<std::string>& out);
  // The next value as "date,time" into the time's CurrentDate and time of
  // day (whole seconds). Empty parts leave the time as it was.
  bool dateTime(SF_Time& time);
  // Skips the next line, which must exist.
  bool skip();

  // The date and time parts of a "date,time" value (see dateTime).
  static bool setDateTime(std::string_view datePart, std::string_view timePart, SF_Time& time);
  // A time-of-day text ("hh:mm:ss", a fraction and AM or PM allowed) set as
  // the time's TODstring; false, and the time untouched, for any other text.
  static bool setTimeOfDay(std::string_view text, SF_Time& time);
  // The value text of one keyword line, as value() takes it.
  bool valueOf(std::string_view line, std::string& out) const;

private:
  const std::vector<std::string>& lines_;
  std::size_t next_ = 0;
  SF_DataASCII splitter_;
  SF_FieldTable scratch_;
};
