#pragma once
// The heading line of a CSV layer checked before the GIS library reads it:
// the x and the y column must each be named once ("x" or "easting", "y" or
// "northing", in any case). A heading naming either twice makes the
// library's reader fail badly; it is refused here instead.

#include <string>

namespace mCsvColumns {

// Whether the heading (the first line) of the file at path names the x and
// the y column at most once each; on false, `problem` says why.
bool namedOnce(const std::string& path, std::string& problem);

// The same for a heading line.
bool headingNamesOnce(const std::string& heading, std::string& problem);

}  // namespace mCsvColumns
