#pragma once
// Mouse cursors loaded from files: Windows cursor files (.cur) with the hot
// spot they carry, or any image Qt reads, with its hot spot in the middle.

#include <string>

#include <QCursor>

class cCursorFile {
public:
  // False, with the cursor untouched, when the file is missing or unreadable.
  static bool load(const std::string& path, QCursor& cursor);
};
