#include "qtplatform/cCursorFile.h"

#include <algorithm>

#include <QFile>
#include <QImage>
#include <QPixmap>

namespace {

int word(const QByteArray& bytes, int at) {
  return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

}  // namespace

bool cCursorFile::load(const std::string& path, QCursor& cursor) {
  QFile file(QFile::decodeName(path.c_str()));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  // A cursor file starts like an icon file with type 2; its first directory
  // entry keeps the hot spot where an icon keeps planes and bit count.
  const bool cursorFile = bytes.size() >= 22 && word(bytes, 0) == 0 && word(bytes, 2) == 2 && word(bytes, 4) >= 1;
  QImage image;
  if (cursorFile) {
    image.loadFromData(bytes, "CUR");
    if (image.isNull()) image.loadFromData(bytes, "ICO");
  } else {
    image.loadFromData(bytes);
  }
  if (image.isNull()) return false;
  int hotX = image.width() / 2;
  int hotY = image.height() / 2;
  if (cursorFile) {
    hotX = std::min(word(bytes, 10), image.width() - 1);
    hotY = std::min(word(bytes, 12), image.height() - 1);
  }
  cursor = QCursor(QPixmap::fromImage(image), hotX, hotY);
  return true;
}
