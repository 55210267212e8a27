#pragma once
// Texts of the core are Windows-1252 bytes; the widgets speak Unicode. Every
// text crosses between them here and nowhere else.

#include <string>
#include <string_view>

#include <QString>

namespace mCodePage {

QString toQString(std::string_view windows1252);
// Characters the code page lacks become '?'.
std::string fromQString(const QString& text);

}  // namespace mCodePage
