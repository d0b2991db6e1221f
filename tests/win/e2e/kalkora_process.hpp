#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../window_text.hpp"

namespace kalkora::testing {

// A message box that the program shows.
struct ShownBox {
  HWND window = nullptr;
  std::string caption;
  std::string text;
};

// The real kalkora.exe in a process of its own, driven from outside through its window's
// controls, found by their fixed control ids.
class KalkoraProcess {
 public:
  explicit KalkoraProcess(const std::wstring& program);
  ~KalkoraProcess();
  KalkoraProcess(const KalkoraProcess&) = delete;
  KalkoraProcess& operator=(const KalkoraProcess&) = delete;

  // True once the main window is there.
  bool Started() const { return window_ != nullptr; }
  HWND Window() const { return window_; }
  HWND Control(std::string_view control) const;

  // A click that returns when the control has handled it.
  void Click(std::string_view control);
  // A click that returns at once, for a control whose handler runs long.
  void ClickAndGoOn(std::string_view control);
  // A menu command by its id, and a key pressed over the window; both return at once.
  void Command(int id);
  void PressKey(WORD virtualKey);
  // A key typed as the user types it: to whichever window is active, through the input queue.
  static void TypeKey(WORD virtualKey);
  // The active window of the program's window thread, and whether it is the foreground one.
  HWND ActiveWindow() const;
  bool IsChecked(std::string_view control);
  void SetText(std::string_view control, std::string_view text);
  std::string Text(std::string_view control);
  // The status bar's panel texts and the right edges of its parts, read through memory of the
  // program's own (the status bar's messages carry pointers).
  std::string PanelText(int index);
  std::vector<int> PanelEdges();

  // A visible top-level window of the program with this window class, within the time.
  HWND WaitForWindow(const wchar_t* className, std::chrono::milliseconds limit);
  // The first message box of the program that appears within the time.
  std::optional<ShownBox> WaitForMessageBox(std::chrono::milliseconds limit);
  // Any message box of the program showing now.
  std::optional<ShownBox> MessageBoxShowing();
  static void Dismiss(const ShownBox& box);
  // Clicks one of the box's buttons (IDYES, IDNO, ...).
  static void Answer(const ShownBox& box, int button);

  // Asks the window to close, as its close box does, and returns at once.
  void RequestClose();
  // The process's exit code once it has ended within the time, or nothing.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit);

  // Closes the window and waits for the process; its exit code, or nothing if it had to be
  // ended by force.
  std::optional<DWORD> Close();

 private:
  // Sends a message whose lParam points at `bytes` bytes in the program's memory; those bytes
  // are copied back into `out`.
  LRESULT SendWithRemoteBuffer(HWND control, UINT message, WPARAM wParam, void* out,
                               std::size_t bytes);

  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace kalkora::testing
