#include "kalkora_process.hpp"

#include <commctrl.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "core/base/form_names.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/control_ids.hpp"

namespace kalkora::testing {
namespace {

using namespace std::chrono_literals;

struct Search {
  DWORD processId;
  const wchar_t* className;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner == search.processId && IsWindowVisible(window) &&
      std::wstring_view(name) == search.className) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindTopLevel(DWORD processId, const wchar_t* className) {
  Search search{processId, className};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The message text of a box: its one static control that has text.
BOOL CALLBACK CollectStaticText(HWND child, LPARAM parameter) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  auto& text = *reinterpret_cast<std::string*>(parameter);
  if (_wcsicmp(name, L"Static") == 0 && text.empty()) text = WindowText(child);
  return TRUE;
}

}  // namespace

KalkoraProcess::KalkoraProcess(const std::wstring& program) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_)) {
    return;
  }
  WaitForInputIdle(process_.hProcess, 30000);
  for (int i = 0; i < 300 && !window_; ++i) {
    window_ = FindTopLevel(process_.dwProcessId, L"KalkoraMainWindow");
    if (!window_) std::this_thread::sleep_for(100ms);
  }
}

KalkoraProcess::~KalkoraProcess() {
  if (!process_.hProcess) return;
  Close();
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND KalkoraProcess::Control(std::string_view control) const {
  return GetDlgItem(window_, win32::ControlId(control));
}

void KalkoraProcess::Click(std::string_view control) {
  SendMessageW(Control(control), BM_CLICK, 0, 0);
}

void KalkoraProcess::ClickAndGoOn(std::string_view control) {
  PostMessageW(Control(control), BM_CLICK, 0, 0);
}

void KalkoraProcess::Command(int id) { PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void KalkoraProcess::PressKey(WORD virtualKey) {
  PostMessageW(window_, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(window_, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

void KalkoraProcess::TypeKey(WORD virtualKey) {
  INPUT keys[2] = {};
  for (INPUT& key : keys) {
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = virtualKey;
  }
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

HWND KalkoraProcess::ActiveWindow() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info)) return nullptr;
  return info.hwndActive;
}

bool KalkoraProcess::IsChecked(std::string_view control) {
  return SendMessageW(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void KalkoraProcess::SetText(std::string_view control, std::string_view text) {
  const std::wstring wide = win32::ToUtf16(text);
  SendMessageW(Control(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string KalkoraProcess::Text(std::string_view control) { return WindowText(Control(control)); }

LRESULT KalkoraProcess::SendWithRemoteBuffer(HWND control, UINT message, WPARAM wParam, void* out,
                                             std::size_t bytes) {
  void* remote =
      VirtualAllocEx(process_.hProcess, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remote) return 0;
  const LRESULT result = SendMessageW(control, message, wParam, reinterpret_cast<LPARAM>(remote));
  SIZE_T read = 0;
  ReadProcessMemory(process_.hProcess, remote, out, bytes, &read);
  VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
  return result;
}

std::string KalkoraProcess::PanelText(int index) {
  const HWND bar = Control(form::状态条1);
  const auto part = static_cast<WPARAM>(index);
  const auto length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0));
  std::wstring text(length + 1u, L'\0');
  SendWithRemoteBuffer(bar, SB_GETTEXTW, part, text.data(), text.size() * sizeof(wchar_t));
  text.resize(wcsnlen(text.c_str(), text.size()));
  return win32::ToUtf8(text);
}

std::vector<int> KalkoraProcess::PanelEdges() {
  const HWND bar = Control(form::状态条1);
  const auto parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
  std::vector<int> edges(static_cast<std::size_t>(std::max(parts, 0)));
  if (!edges.empty()) {
    SendWithRemoteBuffer(bar, SB_GETPARTS, edges.size(), edges.data(), edges.size() * sizeof(int));
  }
  return edges;
}

std::optional<ShownBox> KalkoraProcess::MessageBoxShowing() {
  HWND box = FindTopLevel(process_.dwProcessId, L"#32770");
  if (!box) return std::nullopt;
  ShownBox shown{box, WindowText(box), {}};
  EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&shown.text));
  return shown;
}

HWND KalkoraProcess::WaitForWindow(const wchar_t* className, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  do {
    if (HWND window = FindTopLevel(process_.dwProcessId, className)) return window;
    std::this_thread::sleep_for(50ms);
  } while (std::chrono::steady_clock::now() < end);
  return nullptr;
}

std::optional<ShownBox> KalkoraProcess::WaitForMessageBox(std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  do {
    if (auto box = MessageBoxShowing()) return box;
    std::this_thread::sleep_for(50ms);
  } while (std::chrono::steady_clock::now() < end);
  return std::nullopt;
}

void KalkoraProcess::Dismiss(const ShownBox& box) {
  SendMessageW(GetDlgItem(box.window, IDOK), BM_CLICK, 0, 0);
}

void KalkoraProcess::Answer(const ShownBox& box, int button) {
  PostMessageW(GetDlgItem(box.window, button), BM_CLICK, 0, 0);
}
void KalkoraProcess::RequestClose() { PostMessageW(window_, WM_CLOSE, 0, 0); }

std::optional<DWORD> KalkoraProcess::WaitForExit(std::chrono::milliseconds limit) {
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::optional<DWORD> KalkoraProcess::Close() {
  if (!process_.hProcess) return std::nullopt;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  if (code != STILL_ACTIVE) return code;
  for (int i = 0; i < 10; ++i) {
    const auto box = MessageBoxShowing();
    if (!box) break;
    Dismiss(*box);
  }
  PostMessageW(window_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
    return std::nullopt;
  }
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

}  // namespace kalkora::testing
