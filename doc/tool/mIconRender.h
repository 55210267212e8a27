#pragma once
// Renders the application's SVG icon to the PNG sizes the icon theme holds,
// so that the SVG stays the one source of the picture.

#include <string>

namespace mIconRender {

// Writes a size x size PNG of the SVG; false, with the reason in error, when
// the SVG cannot be read or the PNG cannot be written.
bool renderPng(const std::string& svgPath, const std::string& pngPath, int size, std::string& error);

}  // namespace mIconRender
