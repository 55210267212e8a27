#pragma once
// The site file that travels with a case: "Bridge Demolition.cas" keeps its
// plan in "Bridge Demolition.gpkg" beside it. Opening reads it when it is
// there; saving writes it when the case has a plan and the plan differs from
// the file (an unedited plan leaves the file as it is, byte for byte).

#include <string>

class cStudy;
class ISiteFile;

namespace mSiteFile {


// The site file's path for a case file's path: its suffix becomes .gpkg.
std::string sitePathFor(const std::string& casePath);

// After the case file was read: reads the site file beside it, if any, and
// applies the plan to the links. A site file that cannot be read (or a
// build without site files) shows a message and leaves the case with its
// stored distances. Without a store nothing is looked at. Returns the number of links the plan changed.
int openBeside(cStudy& study, ISiteFile* store, const std::string& casePath);
// After the case file was written: writes the site file beside it when the
// case has a plan that differs from what was last read or written there.
// False, after a message, when it could not be written. Without a store
// nothing is written.
bool saveBeside(cStudy& study, ISiteFile* store, const std::string& casePath);

}  // namespace mSiteFile
