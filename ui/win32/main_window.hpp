#pragma once

#include <windows.h>

#include "core/app/generate_command.hpp"
#include "core/app/run_gate.hpp"
#include "core/base/clock.hpp"
#include "core/base/message_box.hpp"
#include "core/generate/program_state.hpp"
#include "core/word/pdf_writer.hpp"
#include "ui/win32/win32_controls.hpp"

namespace kalkora::win32 {

// The window class of the main window, for a test driver.
inline constexpr wchar_t kMainWindowClass[] = L"KalkoraMainWindow";

// What the window's handlers work with besides its controls.
struct WindowParts {
  ProgramState& state;
  Clock& clock;
  MessageBox& messages;
  OfficeParts office;
};

// The main window, built by walking the form table: every control a native control with its
// fixed id, placed at its table position relative to the window's client area.
class MainWindow {
 public:
  explicit MainWindow(WindowParts parts) : parts_(parts) {}
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // Creates the window and its controls and runs the creation handler; false on failure.
  bool Create(HINSTANCE instance);
  HWND hwnd() const { return window_; }
  // What turns a class set into a PDF; null (the default) when nothing can.
  void UseConverter(PdfWriter* converter) { converter_ = converter; }
  // The menu's keyboard shortcuts, for the message loop.
  HACCEL accelerators() const { return accelerators_; }
  Win32Controls& controls() { return controls_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateControls(HINSTANCE instance);
  void StackControls();
  void OnCommand(int id, int notification);
  bool OnMenuCommand(int id);
  void Generate();
  void GenerateBatch();

  WindowParts parts_;
  RunGate runs_;
  HWND window_ = nullptr;
  Win32Controls controls_;
  HFONT guiFont_ = nullptr;
  HFONT buttonFont_ = nullptr;
  HFONT linkFont_ = nullptr;
  HBITMAP banner_ = nullptr;
  HWND hyperlink_ = nullptr;
  HACCEL accelerators_ = nullptr;
  PdfWriter* converter_ = nullptr;
};

}  // namespace kalkora::win32
