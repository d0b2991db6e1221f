#pragma once

#include <windows.h>

#include <filesystem>

#include "core/base/message_box.hpp"

namespace kalkora::win32 {

// The help page installed beside this program; an empty path when it is not there.
std::filesystem::path HelpPagePath();

// Opens the help page with the shell's "open" verb, or says through `messages` that it is not
// installed.
void OpenHelpPage(HWND owner, MessageBox& messages);

}  // namespace kalkora::win32
