#include "qtplatform/mCodePage.h"

#include <array>

namespace {

// 0x80-0x9F are where Windows-1252 differs from Latin-1; 0 marks the five
// bytes that have no character.
constexpr std::array<char16_t, 32> high = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

namespace mCodePage {

QString toQString(std::string_view windows1252) {
  QString result;
  result.reserve(static_cast<qsizetype>(windows1252.size()));
  for (const char c : windows1252) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte < 0xA0) {
      // The undefined bytes pass through as the C1 controls Latin-1 gives them.
      result.append(high[byte - 0x80] ? QChar(high[byte - 0x80]) : QChar(byte));
    } else {
      result.append(QChar(byte));
    }
  }
  return result;
}

std::string fromQString(const QString& text) {
  std::string result;
  result.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar qc : text) {
    const char16_t u = qc.unicode();
    if (u < 0x80 || (u >= 0xA0 && u < 0x100)) {
      result.push_back(static_cast<char>(u));
      continue;
    }
    char byte = '?';
    for (std::size_t i = 0; i < high.size(); ++i) {
      if (high[i] == u) {
        byte = static_cast<char>(0x80 + i);
        break;
      }
    }
    if (u >= 0x80 && u < 0xA0) byte = static_cast<char>(u);
    result.push_back(byte);
  }
  return result;
}

}  // namespace mCodePage
