#pragma once

#include <QUrl>

#include "core/base/message_box.hpp"

namespace kalkora::qt {

// The help page installed with this program, as a file address; empty when it is not installed.
QUrl HelpPageUrl();

// Opens the help page with the desktop, or says through `messages` that it is not installed.
void OpenHelpPage(MessageBox& messages);

}  // namespace kalkora::qt
