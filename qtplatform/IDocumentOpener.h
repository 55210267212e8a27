#pragma once
// Opens a document with the application the desktop associates with it.
// The directory ends with a path separator; paths are in the file system's
// own bytes.

#include <string>

class IDocumentOpener {
public:
  virtual ~IDocumentOpener() = default;
  // True when the document was handed to its application.
  virtual bool openDocument(const std::string& directory, const std::string& fileName,
                            const std::string& parameters = {}) = 0;
};
