#pragma once

#include <string>

namespace kalkora::uno {

// Whether the office whose program folder this is can show a window: one of its desktop
// plug-ins (GTK, Qt, KDE or plain X11) lies among its program files. The headless-only office
// packages have none, and such an office opens every document out of sight.
bool CanShowWindows(const std::string& programFolder);

}  // namespace kalkora::uno
