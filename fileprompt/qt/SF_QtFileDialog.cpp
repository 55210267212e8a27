#include "SF_QtFileDialog.h"

#include <array>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The descriptions are Windows-1252 text; 0x80-0x9F differ from Latin-1.
QString fromWindows1252(const std::string& text) {
  static constexpr std::array<char16_t, 32> high = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    result.append(byte >= 0x80 && byte < 0xA0 ? QChar(high[byte - 0x80]) : QChar(byte));
  }
  return result;
}

QString qtPatterns(QString pattern) {
  pattern.replace(';', ' ');
  QStringList parts = pattern.split(' ', Qt::SkipEmptyParts);
  for (QString& part : parts) {
    if (part == QLatin1String("*.*")) part = QStringLiteral("*");
  }
  return parts.join(' ');
}

std::string pathBytes(const QString& path) {
  const QByteArray bytes = QFile::encodeName(QDir::toNativeSeparators(path));
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A single "*.ext" pattern lets a typed name without a suffix get one.
QString suffixOfFilter(const QString& nameFilter) {
  static const QRegularExpression single(QStringLiteral("\\(\\*\\.([^*?\\s()]+)\\)$"));
  const QRegularExpressionMatch match = single.match(nameFilter);
  return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

SF_QtFileDialog::SF_QtFileDialog(QWidget* parent) : parent_(parent) {}

QStringList SF_QtFileDialog::nameFilters(const std::string& filter) {
  const QStringList parts = fromWindows1252(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const QString pattern = parts[i + 1].trimmed();
    const QString shown = QStringLiteral("(") + pattern + QStringLiteral(")");
    if (description.endsWith(shown)) description.chop(shown.size());
    description = description.trimmed();
    const QString patterns = qtPatterns(pattern);
    filters.append(description.isEmpty() ? QStringLiteral("(%1)").arg(patterns)
                                         : QStringLiteral("%1 (%2)").arg(description, patterns));
  }
  return filters;
}

bool SF_QtFileDialog::show(bool save) {
  const bool chooseDirectory =
      !save && (flags_ & SF_OFN_NOVALIDATE) && fileName_ == SF_ALL_FILES_PATTERN;

  QFileDialog dialog(parent_);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  const QStringList filters = nameFilters(filter_);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (filterIndex_ >= 1 && filterIndex_ <= filters.size()) dialog.selectNameFilter(filters[filterIndex_ - 1]);
  }
  if (!initDir_.empty()) dialog.setDirectory(QFile::decodeName(initDir_.c_str()));

  if (chooseDirectory) {
    dialog.setFileMode(QFileDialog::Directory);
  } else if (save) {
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(flags_ & SF_OFN_OVERWRITEPROMPT));
    dialog.setDefaultSuffix(suffixOfFilter(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& f) { dialog.setDefaultSuffix(suffixOfFilter(f)); });
  } else if (flags_ & SF_OFN_ALLOWMULTISELECT) {
    dialog.setFileMode(QFileDialog::ExistingFiles);
  } else {
    dialog.setFileMode((flags_ & SF_OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  }
  if (!chooseDirectory && !fileName_.empty()) dialog.selectFile(QFile::decodeName(fileName_.c_str()));

  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;

  if (chooseDirectory) {
    fileName_ = pathBytes(QDir(chosen.front()).absolutePath() + QStringLiteral("/*.*"));
    fileTitle_ = SF_ALL_FILES_PATTERN;
    return true;
  }
  if (chosen.size() == 1) {
    const QFileInfo info(chosen.front());
    fileName_ = pathBytes(info.absoluteFilePath());
    fileTitle_ = pathBytes(info.fileName());
    return true;
  }
  const QString folder = QFileInfo(chosen.front()).absolutePath();
  std::string answer = pathBytes(folder);
  for (const QString& file : chosen) {
    const QFileInfo info(file);
    if (info.absolutePath() != folder) return false;
    answer += '\0';
    answer += pathBytes(info.fileName());
  }
  fileName_ = answer;
  fileTitle_.clear();
  return true;
}
