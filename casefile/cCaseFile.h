#pragma once
// Opens, closes and saves whole cases. A case file holds the description,
// the settings, every equipment record, every receptor with its links, and
// the criteria block, one record per comma-delimited line.
//
// Reading parses the whole file before it changes the study: a file that is
// rejected leaves nothing half-read behind that a later Save could write
// over the user's file.

#include <string>
#include <vector>

#include "SF_DataMessage.h"

class cStudy;
class ICaseFileView;
class ISiteFile;
class SF_FilePrompt;

class cCaseFile {
public:
  // The study's caseFileOpen hook is left to the study's owner to point at
  // bCaseOpen, so that neither object depends on the other's lifetime.
  explicit cCaseFile(cStudy& study);
  cCaseFile(const cCaseFile&) = delete;
  cCaseFile& operator=(const cCaseFile&) = delete;

  // A case file is associated with the study (opened, or saved under a name).
  bool bCaseOpen = false;

  // May be null: the caption, metric choice and comment box are then not shown.
  void attachView(ICaseFileView* view) { view_ = view; }
  // The store of the site plan kept beside the case. Without one (the
  // batch tool's plain run) the site file is neither read nor written.
  void attachSiteFile(ISiteFile* store) { siteFile_ = store; }

  // File > Open: empties the study, asks for a case file, reads it and
  // computes every receptor, leaving receptor 1 current. False when the
  // prompt was cancelled or the file could not be read ("Problem reading
  // case file."); the study is then empty and no case is open.
  bool openCase(SF_FilePrompt& prompt);
  // The same for a file name already known (the study is not emptied first;
  // call closeCase before, as openCase does).
  bool openCaseAt(const std::string& directory, const std::string& fileName);
  // File > New: an empty study with the criteria at "N/A".
  void closeCase();
  // File > Save As: asks for a name and writes the case there. On a failed
  // write ("Problem writing case file.") the names stay as they were.
  bool saveCaseAs(SF_FilePrompt& prompt);
  // File > Save: writes the case over its file; false, after the message,
  // when it could not be written (the old file is then whole).
  bool saveCase();

  const std::string& caseFileName() const { return caseFileName_; }
  const std::string& caseDirectory() const { return caseDirectory_; }

  // The file itself.
  std::vector<std::string> buildCaseLines() const;
  SF_DataMessage writeCaseFile(const std::string& path) const;
  // True when the file was read into the study; on false the study is as it was.
  bool readCaseFile(const std::string& path);

private:
  void showOpenedCase();
  void computeOpenedCase();

  cStudy& study_;
  ICaseFileView* view_ = nullptr;
  ISiteFile* siteFile_ = nullptr;
  std::string caseFileName_;
  std::string caseDirectory_;  // ends with a path separator, or is empty
};
