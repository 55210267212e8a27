#pragma once
// A drawing exchange (DXF) file checked before the GIS library reads it: a
// text file of pairs of lines, a group code on the first line of each pair
// and its value on the second. Some damaged files of this kind keep the
// library's reader going round for ever; a file that is not made of such
// pairs, or that does not end with its EOF line outside any section, is
// refused here instead, with the line at fault.

#include <string>

namespace mDxfText {

// Whether the file at path is a text DXF made of code and value lines; on
// false, `problem` says why ("line 7 should hold a group code").
bool wellFormed(const std::string& path, std::string& problem);

// The same for the file's bytes.
bool wellFormedText(const std::string& text, std::string& problem);

}  // namespace mDxfText
