#pragma once

#include <windows.h>

#include "core/app/class_set_flow.hpp"

namespace kalkora::win32 {

// The Windows window's part of a class set: the batch dialog, the progress window, questions
// and messages over the window, and the shell's "open" verb for what was written.
class Win32ClassSetWindow : public ClassSetWindow {
 public:
  Win32ClassSetWindow(HWND window, HINSTANCE instance, MessageBox& messages)
      : window_(window), instance_(instance), messages_(messages) {}

  void AskForBatch(const BatchDialogInput& input, const BatchSubmit& submit) override;
  BatchResult WriteWithProgress(
      int sheets, bool toPdf,
      const std::function<BatchResult(const BatchProgress&)>& write) override;
  bool Ask(const Question& question) override;
  bool OpenFile(const std::string& path) override;
  void ShowMessage(const UserMessage& message) override;

 private:
  HWND window_;
  HINSTANCE instance_;
  MessageBox& messages_;
};

}  // namespace kalkora::win32
