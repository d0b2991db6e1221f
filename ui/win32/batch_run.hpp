#pragma once

#include <windows.h>

#include "core/base/clock.hpp"
#include "core/base/controls.hpp"
#include "core/base/message_box.hpp"
#include "core/word/pdf_writer.hpp"

namespace kalkora::win32 {

// What 批量生成… works with: the window's controls (the settings, and panel 1 for the result),
// the clock for the date, the message boxes, and the PDF converter (null: none available).
struct BatchRunParts {
  Controls& controls;
  Clock& clock;
  MessageBox& messages;
  PdfWriter* converter;
};

// 批量生成…: refuses the form's settings as the generate button does, asks for the class set in
// the batch dialog, writes it with progress, and on success writes panel 1 "已生成 N 份题卡"
// and opens every file with the shell's "open" verb. Without a converter for a PDF it says
// so and offers the set as a .docx instead; other failures show the command line's messages.
void RunBatchFromWindow(HWND window, HINSTANCE instance, BatchRunParts parts);

}  // namespace kalkora::win32
