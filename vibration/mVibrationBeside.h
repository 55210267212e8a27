#pragma once
// Where a case's vibration settings live beside it. A case with a site plan
// keeps them in its site file ("Bridge.gpkg", table vibration_settings);
// a case without one in "Bridge.vib" (mVibrationFile).
//
// Opening: the site file's table, when the site file beside the case holds
// one, wins; otherwise the .vib file; otherwise the defaults. A case that
// has both reads the table and leaves the .vib file alone.
//
// Saving: into the site file when it is the case's own (read at open or
// written by this save) or already holds a vibration table; otherwise into
// the .vib file. Nothing is written when the place already says what the
// settings say (the site file is not byte-stable, so an unchanged case
// leaves it untouched), and a .vib file left from before the case had a
// plan keeps serving until the settings change.

#include <string>

class IMessageService;
class IVibrationTable;
class cStudy;
class cVibrationSettings;

namespace mVibrationBeside {

// Replaces the settings by those kept beside the case (the defaults when it
// has none). False, after a message, when they could not be read: the
// defaults apply then. Without a table store only the .vib file is looked at.
bool open(const cStudy& study, cVibrationSettings& settings, IVibrationTable* table, const std::string& caseDirectory,
          const std::string& caseFileName, IMessageService& messages);
// After the case file (and its site file) was written. False, after a
// message, when the settings could not be written.
bool save(const cStudy& study, const cVibrationSettings& settings, IVibrationTable* table,
          const std::string& caseDirectory, const std::string& caseFileName, IMessageService& messages);

}  // namespace mVibrationBeside
