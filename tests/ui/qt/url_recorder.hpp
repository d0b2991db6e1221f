#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

namespace kalkora::testing {

// Receives the addresses of one scheme that the desktop would open, while it lives.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  explicit UrlRecorder(const QString& scheme) : scheme_(scheme) {
    QDesktopServices::setUrlHandler(scheme_, this, "Open");
  }
  ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(scheme_); }

  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened.push_back(url); }

 private:
  QString scheme_;
};

}  // namespace kalkora::testing
