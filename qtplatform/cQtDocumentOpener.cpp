#include "qtplatform/cQtDocumentOpener.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

bool cQtDocumentOpener::openDocument(const std::string& directory, const std::string& fileName, const std::string&) {
  if (fileName.empty()) return false;
  const QFileInfo info(QFile::decodeName((directory + fileName).c_str()));
  if (!info.isFile()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}
