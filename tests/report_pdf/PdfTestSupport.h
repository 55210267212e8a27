#pragma once
// Reading a written PDF back: its text through pdftotext, its fonts through
// pdffonts, and its bytes without the creation time stamp.

#include <string>
#include <vector>

#include <QByteArray>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

inline bool haveTool(const QString& tool) { return QProcess::execute(tool, {QStringLiteral("-v")}) >= 0; }

// The output of a poppler tool on a file, or an empty text when it failed.
inline std::string popplerOutput(const QString& tool, QStringList args) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
  return p.readAllStandardOutput().toStdString();
}

// The page's text in its layout: a table row stays on one line.
inline std::string pdfText(const std::string& path) {
  return popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QString::fromStdString(path),
                                                     QStringLiteral("-")});
}

// Every run of white space as one space, line by line.
inline std::vector<std::string> collapsedLines(const std::string& text) {
  std::vector<std::string> out;
  std::string line;
  bool space = false;
  auto flush = [&] {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out.push_back(line);
    line.clear();
    space = false;
  };
  for (char c : text) {
    if (c == '\n' || c == '\f') {
      flush();
    } else if (c == ' ' || c == '\t' || c == '\r') {
      space = !line.empty();
    } else {
      if (space) line += ' ';
      space = false;
      line += c;
    }
  }
  flush();
  return out;
}

inline std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  std::string w;
  for (char c : line) {
    if (c == ' ') {
      if (!w.empty()) out.push_back(w);
      w.clear();
    } else {
      w += c;
    }
  }
  if (!w.empty()) out.push_back(w);
  return out;
}

// The bytes with every time stamp the PDF writer puts in (the document's
// creation date, in the info dictionary and the metadata) blanked out.
inline QByteArray withoutTimeStamp(QByteArray bytes) {
  static const QRegularExpression pdfDate(QStringLiteral("D:\\d{14}[^)]*"));
  static const QRegularExpression isoDate(QStringLiteral("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[^<\"]*"));
  QString text = QString::fromLatin1(bytes);
  text.replace(pdfDate, QStringLiteral("D:stamp"));
  text.replace(isoDate, QStringLiteral("stamp"));
  return text.toLatin1();
}
