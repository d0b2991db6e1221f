#pragma once

#include <QWidget>
#include <functional>

#include "core/app/class_set_flow.hpp"

namespace kalkora::qt {

// Runs `write` on a thread of its own, so that the window keeps drawing while the pages are
// made and drawn. A modal progress dialog over `window`, shown once the set has taken
// kProgressDelay, counts the pages and offers to cancel up to the last one. User input that
// comes before the dialog shows waits until the set is done.
BatchResult WriteInBackground(QWidget& window, int sheets,
                              const std::function<BatchResult(const BatchProgress&)>& write);

}  // namespace kalkora::qt
