#pragma once

#include "core/word/bounded_automation.hpp"

namespace kalkora::qt {

// How the window waits for an office call: it keeps handling everything but the user's input
// (the run stays synchronous for the user). An office that opens a sheet asks the owner of
// the clipboard for its formats, and the owner may be this window: while its thread only
// waited, the office waited on it in turn, until the time limit. Repaints, timers and a close
// request are handled meanwhile as well.
BoundedAutomation::Wait OfficeWaitHandlingEvents();

}  // namespace kalkora::qt
