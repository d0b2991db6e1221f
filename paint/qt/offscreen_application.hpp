#pragma once

#include <QGuiApplication>
#include <memory>

namespace kalkora::qt {

// The QGuiApplication a program without windows needs to draw pages: on Qt's offscreen
// platform, so that no display is needed, and with Qt's own notes (such as the runtime
// folder it misses when XDG_RUNTIME_DIR is unset) kept from the program's users.
std::unique_ptr<QGuiApplication> MakeOffscreenApplication(int& argc, char** argv);

}  // namespace kalkora::qt
