#pragma once

#include <QString>
#include <QWidget>

namespace kalkora::qt {

// The program's version, as the build names it ("1.6.0").
QString ProgramVersion();

// The About box: the program's name and version, what it makes and a link to the installed
// help page, which the desktop opens. Modal over `window`; returns when closed.
void ShowAboutBox(QWidget* window);

}  // namespace kalkora::qt
