#include "ui/qt/batch_file.hpp"

#include <QDir>
#include <QStandardPaths>

#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {

QString WithFormatExtension(const QString& path, DocumentFormat format) {
  return ToQString(kalkora::WithFormatExtension(ToUtf8(path), format));
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
  QStringList files;
  for (const std::string& file : kalkora::BatchFiles(ToUtf8(path), answers)) {
    files.push_back(ToQString(file));
  }
  return files;
}

}  // namespace kalkora::qt
