#include "ui/qt/batch_file.hpp"

#include <QDir>
#include <QStandardPaths>

#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {

QString ExtensionOf(DocumentFormat format) {
  return format == DocumentFormat::Pdf ? QStringLiteral(".pdf") : QStringLiteral(".docx");
}

QString WithFormatExtension(const QString& path, DocumentFormat format) {
  if (path.isEmpty()) return path;
  QString stem = path;
  for (const DocumentFormat known : {DocumentFormat::Docx, DocumentFormat::Pdf}) {
    if (stem.endsWith(ExtensionOf(known), Qt::CaseInsensitive)) {
      stem.chop(ExtensionOf(known).size());
      break;
    }
  }
  return stem + ExtensionOf(format);
}

QString DefaultBatchPath(const QString& folder, const LocalDateTime& date) {
  const QString name = QStringLiteral("口算题卡-%1-%2-%3.docx")
                           .arg(date.year, 4, 10, QLatin1Char('0'))
                           .arg(date.month, 2, 10, QLatin1Char('0'))
                           .arg(date.day, 2, 10, QLatin1Char('0'));
  return QDir(folder).filePath(name);
}

QString DocumentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

QStringList BatchFiles(const QString& path, bool answers) {
  QStringList files{path};
  if (answers) files.push_back(ToQString(AnswerKeyPath(ToUtf8(path))));
  return files;
}

}  // namespace kalkora::qt
