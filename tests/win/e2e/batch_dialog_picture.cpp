// batch_dialog_picture: for the screenshot test, opens 批量生成 over a running kalkora.exe
// with a preset chosen, a title and the name line, waits for its preview and prints where the
// dialog is on the screen: "x y width height". Exit code 1 when the window or the dialog does
// not come, 2 when the preview shows a message instead of the page.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "batch_dialog_driver.hpp"
#include "ui/win32/batch_dialog.hpp"
#include "ui/win32/batch_dialog_layout.hpp"
#include "ui/win32/main_window.hpp"
#include "ui/win32/menu.hpp"

namespace {

using namespace std::chrono_literals;

HWND WaitForVisible(const wchar_t* windowClass) {
  for (int tries = 0; tries < 400; ++tries) {
    const HWND window = FindWindowW(windowClass, nullptr);
    if (window && IsWindowVisible(window)) return window;
    std::this_thread::sleep_for(50ms);
  }
  return nullptr;
}

}  // namespace

int wmain() {
  using namespace kalkora;
  const HWND window = WaitForVisible(win32::kMainWindowClass);
  if (!window) return 1;
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(win32::kMenuBatch, 0), 0);
  const HWND found = WaitForVisible(win32::kBatchDialogClass);
  if (!found) return 1;
  const testing::BatchDialogDriver dialog(found);
  dialog.ChoosePreset("20以内退位减法");
  dialog.Type(win32::kBatchTitle, "三年级二班");
  dialog.Click(win32::kBatchNameLine);
  dialog.Type(win32::kBatchFirstCode, "482913");
  dialog.Redraw();
  if (!dialog.Text(win32::kBatchPreview).empty()) return 2;
  std::this_thread::sleep_for(500ms);  // the paint of every control
  RECT place{};
  GetWindowRect(found, &place);
  std::printf("%ld %ld %ld %ld\n", place.left, place.top, place.right - place.left,
              place.bottom - place.top);
  return 0;
}
