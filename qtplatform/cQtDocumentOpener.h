#pragma once
// The document opener on QDesktopServices. A document that does not exist
// fails at once rather than leaving the desktop to report it.

#include "qtplatform/IDocumentOpener.h"

class cQtDocumentOpener : public IDocumentOpener {
public:
  // The desktop takes no parameters for a document; they are not passed on.
  bool openDocument(const std::string& directory, const std::string& fileName,
                    const std::string& parameters = {}) override;
};
