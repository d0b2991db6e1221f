#pragma once

namespace kalkora::qt {

// Before the window is made: the program's folder becomes the current directory and the
// floating-point environment is reset to its defaults (round to nearest, exceptions masked).
void PrepareProcess();

// The one fatal failure: the window could not be made. A modal box with the error icon and
// the form's kWindowNotCreated message.
void ShowWindowNotCreated();

}  // namespace kalkora::qt
