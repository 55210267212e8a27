#pragma once
// Reads and writes plain text files as lists of lines or as records of
// delimited fields. Bytes pass through unchanged: no encoding conversion.
// One object serves one file operation.
//
// Collections are 0-based here; element i is line i + 1 of the file.
// Lines are read up to CR LF, LF or a lone CR; every line written ends with CR LF.
// A write builds the new file beside the old one and replaces it only when
// complete, so a write that fails leaves the previous file as it was and
// returns SF_DATA_FILE_ERROR.
//
// Only regular files are read: a pipe, a device or a socket is refused at once
// rather than waited on, and so is a file larger than MaxFileBytes, before it
// is read whole. Running out of memory fails the operation with
// SF_DATA_FILE_ERROR, never with an exception.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "SF_DataMessage.h"
#include "SF_FieldTable.h"

class SF_DataASCII {
public:
  SF_DataMessage readLines(const std::string& sFileName);
  SF_DataMessage readFields(const std::string& sFileName);
  SF_DataMessage writeLines(const std::string& sFileName) const;
  SF_DataMessage appendLines(const std::string& sFileName) const;
  SF_DataMessage writeFields(const std::string& sFileName) const;
  SF_DataMessage appendFields(const std::string& sFileName) const;

  const std::vector<std::string>& Lines() const { return lines_; }
  void Lines(std::vector<std::string> lines) { lines_ = std::move(lines); }
  const SF_FieldTable& Fields() const { return fields_; }
  void Fields(SF_FieldTable fields) { fields_ = std::move(fields); }
  void Fields(const std::vector<std::vector<std::string>>& records) { fields_ = SF_FieldTable(records); }

  // The largest file a read accepts. New objects start with DefaultMaxFileBytes,
  // which every reader of the data library uses.
  std::uint64_t MaxFileBytes() const { return maxFileBytes_; }
  void MaxFileBytes(std::uint64_t bytes) { maxFileBytes_ = bytes; }
  // 1 GiB by default: a week of one-second spectra in 49 bands (about 230 MB
  // of text) fits with room to spare, and reading it whole takes a few times
  // its size in memory.
  static constexpr std::uint64_t kWeekOfMeasurements = std::uint64_t{1} << 30;
  static std::uint64_t DefaultMaxFileBytes();
  static void DefaultMaxFileBytes(std::uint64_t bytes);

  // Set Delimiter before CommentFields: the quote patterns keep the
  // delimiter in force when CommentFields is set.
  void Delimiter(std::string delimiter) { delimiter_ = std::move(delimiter); }
  void CommentFields(bool quoted);

  // Splits one line as readFields does and appends the record to table.
  void splitLine(std::string_view line, SF_FieldTable& table) const;

private:
  std::string joinRecord(std::size_t record, bool quoteDelimited) const;
  SF_DataMessage writeFieldLines(const std::string& sFileName, bool append, bool quote) const;
  std::string protectQuotedDelimiters(std::string_view line) const;
  void addPiece(std::string_view piece, bool restoreMarkers, SF_FieldTable& table) const;

  std::uint64_t maxFileBytes_ = DefaultMaxFileBytes();
  std::string delimiter_ = ",";
  std::string openPattern_;
  std::string closePattern_;
  bool quotedFields_ = false;
  char marker_ = '|';
  std::vector<std::string> lines_;
  SF_FieldTable fields_;
};
