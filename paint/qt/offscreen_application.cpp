#include "paint/qt/offscreen_application.hpp"

#include <QtGlobal>
#include <cstdio>

namespace kalkora::qt {
namespace {

// Only what ends the program reaches standard error; Qt's warnings and notes are for
// developers, not for the users of a command line.
void KeepSerious(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}

}  // namespace

std::unique_ptr<QGuiApplication> MakeOffscreenApplication(int& argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(KeepSerious);
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace kalkora::qt
