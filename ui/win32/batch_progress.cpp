#include "ui/win32/batch_progress.hpp"

#include <commctrl.h>

#include <atomic>
#include <thread>

#include "ui/win32/batch_dialog_layout.hpp"
#include "ui/win32/dialog_window.hpp"

namespace kalkora::win32 {
namespace {

constexpr UINT kSheetDone = WM_APP + 1;  // wParam: sheets done, lParam: total
constexpr UINT kWritten = WM_APP + 2;
constexpr UINT_PTR kShowTimer = 1;
constexpr auto kShowAfterMilliseconds = static_cast<UINT>(kProgressDelay.count());

class ProgressWindow {
 public:
  ProgressWindow(HINSTANCE instance, bool toPdf) : instance_(instance), toPdf_(toPdf) {}

  BatchResult Run(HWND owner, const std::function<BatchResult(const BatchProgress&)>& write) {
    if (!RegisterDialogClass(instance_, kBatchProgressClass, WindowProc, IDC_WAIT))
      return write({});
    window_ = CreateDialogFrame(owner, instance_, kBatchProgressClass, BatchProgressLayout(), this);
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!window_ || !CreateDialogControls(window_, instance_, BatchProgressLayout(), font)) {
      if (window_) DestroyWindow(window_);
      return write({});
    }
    BatchResult result;
    const HWND window = window_;
    std::thread worker([&] {
      result = write([this, window](int done, int total) {
        PostMessageW(window, kSheetDone, static_cast<WPARAM>(done), total);
        return !cancelled_.load();
      });
      PostMessageW(window, kWritten, 0, 0);
    });
    // Shown only once the set has taken a second; until then the owner just waits.
    SetTimer(window_, kShowTimer, kShowAfterMilliseconds, nullptr);
    if (owner) EnableWindow(owner, FALSE);
    MSG message;
    bool quit = false;
    while (!written_) {
      if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
        quit = true;
        cancelled_ = true;  // the program is ending: stop at the next sheet
        continue;
      }
      if (IsDialogMessageW(window_, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    worker.join();
    if (owner) EnableWindow(owner, TRUE);
    DestroyWindow(window_);
    if (quit) PostQuitMessage(static_cast<int>(message.wParam));
    return result;
  }

 private:
  void ShowSheetsDone(int done, int total) {
    const HWND bar = GetDlgItem(window_, kBatchProgressBar);
    SendMessageW(bar, PBM_SETRANGE32, 0, total + (toPdf_ ? 1 : 0));
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    if (toPdf_ && done == total) {
      SetControlText(window_, kBatchProgressText, "正在转换为 PDF…");
      EnableWindow(GetDlgItem(window_, IDCANCEL), FALSE);
    }
  }

  void Cancel() {
    cancelled_ = true;
    EnableWindow(GetDlgItem(window_, IDCANCEL), FALSE);
    SetControlText(window_, kBatchProgressText, "正在取消…");
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<ProgressWindow*>(DialogSelf(window, message, lParam));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
      case kSheetDone:
        self->ShowSheetsDone(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
      case kWritten:
        self->written_ = true;
        return 0;
      case WM_TIMER:
        KillTimer(window, kShowTimer);
        ShowWindow(window, SW_SHOWNORMAL);
        return 0;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) self->Cancel();
        return 0;
      case WM_CLOSE:
        self->Cancel();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HINSTANCE instance_;
  bool toPdf_;
  HWND window_ = nullptr;
  bool written_ = false;
  std::atomic<bool> cancelled_ = false;
};

}  // namespace

BatchResult WriteWithProgress(HWND owner, HINSTANCE instance, bool toPdf,
                              const std::function<BatchResult(const BatchProgress&)>& write) {
  ProgressWindow progress(instance, toPdf);
  return progress.Run(owner, write);
}

}  // namespace kalkora::win32
