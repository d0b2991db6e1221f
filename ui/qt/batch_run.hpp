#pragma once

#include <QWidget>

#include "core/base/clock.hpp"
#include "core/base/controls.hpp"
#include "core/base/message_box.hpp"
#include "core/word/pdf_writer.hpp"

namespace kalkora::qt {

struct BatchRunParts {
  Controls& controls;
  Clock& clock;
  MessageBox& messages;
  PdfWriter* converter;  // null: no PDF
};

// 批量生成…: refuses the form's settings with the generate button's message, or asks for the
// set in the batch dialog and writes it under a cancellable progress dialog. A written set is
// named in status panel 1 and opened by the desktop; a failure shows its message. A PDF that
// no office can make is offered as a Word document instead.
void RunBatchFromWindow(QWidget& window, BatchRunParts parts);

}  // namespace kalkora::qt
