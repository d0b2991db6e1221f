#include "ui/win32/dialog_window.hpp"

#include <commctrl.h>

#include <string>

#include "core/app/form_table.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/page_preview.hpp"

namespace kalkora::win32 {
namespace {

struct NativeControl {
  const wchar_t* windowClass;
  DWORD style;
  DWORD extendedStyle;
};

NativeControl NativeOf(DialogControlKind kind, int id) {
  switch (kind) {
    case DialogControlKind::Label:
      return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
    case DialogControlKind::Edit:
      return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case DialogControlKind::NumberEdit:
      return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, WS_EX_CLIENTEDGE};
    case DialogControlKind::Spin:
      return {UPDOWN_CLASSW,
              UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
              0};
    case DialogControlKind::CheckBox:
      return {WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case DialogControlKind::DropDown:
      return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case DialogControlKind::Button:
      return {WC_BUTTONW,
              WS_TABSTOP | static_cast<DWORD>(id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case DialogControlKind::Progress:
      return {PROGRESS_CLASSW, 0, 0};
    case DialogControlKind::GroupBox:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case DialogControlKind::Preview:
      return {kPagePreviewClass, 0, WS_EX_CLIENTEDGE};
  }
  return {WC_STATICW, 0, 0};
}

// Whether the font itself (not a font linked to it) covers the GB 2312 code page.
bool HasSimplifiedChinese(HFONT font) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, font);
  FONTSIGNATURE signature{};
  const bool chinese = GetTextCharsetInfo(screen, &signature, 0) == GB2312_CHARSET ||
                       (signature.fsCsb[0] & FS_CHINESESIMP) != 0;
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return chinese;
}

}  // namespace

DialogFont::DialogFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW face{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    face = metrics.lfMessageFont;
    font_ = CreateFontIndirectW(&face);
    if (font_ && HasSimplifiedChinese(font_)) return;
    if (font_) DeleteObject(font_);
  } else {
    face.lfHeight = -MainForm().formFont.pixelHeight;
    face.lfWeight = FW_NORMAL;
  }
  face.lfCharSet = GB2312_CHARSET;
  wcsncpy_s(face.lfFaceName, ToUtf16(MainForm().formFont.family).c_str(), _TRUNCATE);
  font_ = CreateFontIndirectW(&face);
}

DialogFont::~DialogFont() {
  if (font_) DeleteObject(font_);
}

bool RegisterDialogClass(HINSTANCE instance, const wchar_t* windowClass, WNDPROC procedure,
                         const wchar_t* cursor) {
  WNDCLASSEXW description{};
  description.cbSize = sizeof description;
  description.lpfnWndProc = procedure;
  description.hInstance = instance;
  description.hCursor = LoadCursorW(nullptr, cursor);
  description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  description.lpszClassName = windowClass;
  return RegisterClassExW(&description) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void* DialogSelf(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        window, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  return reinterpret_cast<void*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND CreateDialogFrame(HWND owner, HINSTANCE instance, const wchar_t* windowClass,
                       const DialogLayout& layout, void* self) {
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT outer{0, 0, layout.clientWidth, layout.clientHeight};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExtendedStyle);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &around);
  const int left = around.left + (around.right - around.left - width) / 2;
  const int top = around.top + (around.bottom - around.top - height) / 2;
  return CreateWindowExW(kExtendedStyle, windowClass, ToUtf16(layout.caption).c_str(), kStyle, left,
                         top, width, height, owner, nullptr, instance, self);
}

bool CreateDialogControls(HWND dialog, HINSTANCE instance, const DialogLayout& layout, HFONT font) {
  for (const DialogControl& item : layout.controls) {
    const NativeControl native = NativeOf(item.kind, item.id);
    const RECT& at = item.place;
    HWND control =
        CreateWindowExW(native.extendedStyle, native.windowClass, ToUtf16(item.text).c_str(),
                        WS_CHILD | WS_VISIBLE | native.style, at.left, at.top, at.right - at.left,
                        at.bottom - at.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
    if (!control) return false;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return true;
}

void RunModal(HWND dialog, HWND owner, const bool& done) {
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOWNORMAL);
  MSG message;
  bool quit = false;
  while (!done && !quit) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = true;
      break;
    }
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // The owner comes back before the dialog goes, so that it gets the activation.
  if (owner) EnableWindow(owner, TRUE);
  ShowWindow(dialog, SW_HIDE);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
}

std::string ControlText(HWND dialog, int id) {
  const HWND control = GetDlgItem(dialog, id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return ToUtf8(text);
}

void SetControlText(HWND dialog, int id, std::string_view text) {
  SetDlgItemTextW(dialog, id, ToUtf16(text).c_str());
}

}  // namespace kalkora::win32
