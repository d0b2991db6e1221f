#include "ui/win32/batch_run.hpp"

#include <shellapi.h>

#include "system/win32/utf16.hpp"
#include "ui/win32/batch_dialog.hpp"
#include "ui/win32/batch_progress.hpp"

namespace kalkora::win32 {
namespace {

// What a question or the progress window stands over: the batch dialog while it is up (the
// set is made from within it), else the window.
HWND OwnerOf(HWND window) {
  const HWND popup = GetLastActivePopup(window);
  return popup && IsWindowVisible(popup) ? popup : window;
}

}  // namespace

void Win32ClassSetWindow::AskForBatch(const BatchDialogInput& input, const BatchSubmit& submit) {
  win32::AskForBatch(window_, instance_, input, submit);
}

BatchResult Win32ClassSetWindow::WriteWithProgress(
    int, bool toPdf, const std::function<BatchResult(const BatchProgress&)>& write) {
  return win32::WriteWithProgress(OwnerOf(window_), instance_, toPdf, write);
}

// The system's own buttons (是/否) stand for the question's two answers.
bool Win32ClassSetWindow::Ask(const Question& question) {
  const UINT style = MB_YESNO | MB_ICONQUESTION | (question.defaultNo ? MB_DEFBUTTON2 : 0);
  return ::MessageBoxW(OwnerOf(window_), ToUtf16(question.message.text).c_str(),
                       ToUtf16(question.message.caption).c_str(), style) == IDYES;
}

bool Win32ClassSetWindow::OpenFile(const std::string& path) {
  const auto opened = reinterpret_cast<INT_PTR>(
      ShellExecuteW(window_, L"open", ToUtf16(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return opened > 32;
}

void Win32ClassSetWindow::ShowMessage(const UserMessage& message) { messages_.Show(message); }

}  // namespace kalkora::win32
