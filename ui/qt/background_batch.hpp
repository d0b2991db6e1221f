#pragma once

#include <QWidget>
#include <functional>

#include "core/app/batch_command.hpp"
#include "core/base/controls.hpp"
#include "core/word/pdf_writer.hpp"

namespace kalkora::qt {

// Writes a class set on a thread of its own from a copy of the form's settings, so that the
// window keeps drawing while the sheets are made and an office converts them to PDF. A modal
// progress dialog over `window` counts the sheets and offers to cancel until the last one is
// made; then it says that the files are being written or converted. User input that comes
// before the dialog shows waits until the set is done.
BatchResult WriteInBackground(QWidget& window, Controls& form, const BatchRequest& request,
                              PdfWriter* converter, const std::function<int()>& randomCode);

}  // namespace kalkora::qt
