// Ctrl+C and Ctrl+Break on Windows: the console calls the handler on a thread of its own, which
// marks the run interrupted and calls `onSignal`; the run then ends through its own clean-up
// instead of the process ending where it stands.
#include <windows.h>

#include "cli/interruption.hpp"

namespace kalkora::cli {
namespace {

std::function<void()> interrupt;  // the one Interruption's, set while it lives

BOOL WINAPI OnConsoleControl(DWORD event) {
  if ((event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) || !interrupt) return FALSE;
  interrupt();
  return TRUE;
}

}  // namespace

Interruption::Interruption(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
  interrupt = [this] {
    happened_ = true;
    onSignal_();
  };
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

}  // namespace kalkora::cli
