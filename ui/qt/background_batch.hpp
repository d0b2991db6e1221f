#pragma once

#include <QWidget>
#include <functional>

#include "core/app/class_set_flow.hpp"

namespace kalkora::qt {

// Runs `write` on a thread of its own, so that the window keeps drawing while the sheets are
// made and converted. A modal progress dialog over `window`, shown once the set has taken
// kProgressDelay, counts the sheets and offers to cancel until the last one is made; then it
// says that the files are being written or converted. User input that comes before the dialog
// shows waits until the set is done.
BatchResult WriteInBackground(QWidget& window, int sheets, bool toPdf,
                              const std::function<BatchResult(const BatchProgress&)>& write);

}  // namespace kalkora::qt
