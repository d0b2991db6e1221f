#include "ui/win32/page_preview.hpp"

#include <algorithm>
#include <optional>

#include "paint/win32/page_painter.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora::win32 {
namespace {

constexpr int kMessageMargin = 12;  // pixels between a message and the pane's edges
constexpr int kPageMargin = 4;      // pixels around the paper, so that its edges show

struct PaneState {
  std::optional<PageLayout> page;
  HFONT font = nullptr;
};

PaneState* StateOf(HWND pane) {
  return reinterpret_cast<PaneState*>(GetWindowLongPtrW(pane, GWLP_USERDATA));
}

std::wstring TextOf(HWND pane) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(pane)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(pane, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The message wrapped to the pane's width, its lines centred and the block in the middle.
void DrawMessage(HDC target, const RECT& area, const std::wstring& message, HFONT font) {
  const HGDIOBJ previous = SelectObject(target, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(target, TRANSPARENT);
  SetTextColor(target, GetSysColor(COLOR_WINDOWTEXT));
  constexpr UINT kFormat = DT_WORDBREAK | DT_CENTER | DT_NOPREFIX;
  RECT block{area.left + kMessageMargin, 0, area.right - kMessageMargin, 0};
  DrawTextW(target, message.c_str(), -1, &block, kFormat | DT_CALCRECT);
  const int height = block.bottom - block.top;
  RECT place{area.left + kMessageMargin,
             area.top + std::max(0L, (area.bottom - area.top - height) / 2),
             area.right - kMessageMargin, area.bottom};
  DrawTextW(target, message.c_str(), -1, &place, kFormat);
  SelectObject(target, previous);
}

void Paint(HWND pane, HDC target) {
  const PaneState* state = StateOf(pane);
  RECT area{};
  GetClientRect(pane, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (!state || width <= 0 || height <= 0) return;
  const HDC memory = CreateCompatibleDC(target);
  const HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  if (!memory || !bitmap) {
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    return;
  }
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  FillRect(memory, &area, GetSysColorBrush(COLOR_BTNFACE));
  if (state->page) {
    const RECT paper{area.left + kPageMargin, area.top + kPageMargin, area.right - kPageMargin,
                     area.bottom - kPageMargin};
    PaintPage(memory, *state->page, paper);
  } else {
    DrawMessage(memory, area, TextOf(pane), state->font);
  }
  BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(pane, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new PaneState));
      break;
    case WM_NCDESTROY:
      delete StateOf(pane);
      SetWindowLongPtrW(pane, GWLP_USERDATA, 0);
      break;
    case WM_SETFONT:
      if (PaneState* state = StateOf(pane)) state->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(pane, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return StateOf(pane) ? reinterpret_cast<LRESULT>(StateOf(pane)->font) : 0;
    case WM_SETTEXT: {
      const LRESULT set = DefWindowProcW(pane, message, wParam, lParam);
      InvalidateRect(pane, nullptr, FALSE);
      return set;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC target = BeginPaint(pane, &paint);
      Paint(pane, target);
      EndPaint(pane, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(pane, reinterpret_cast<HDC>(wParam));
      return 0;
  }
  return DefWindowProcW(pane, message, wParam, lParam);
}

}  // namespace

bool RegisterPagePreviewClass(HINSTANCE instance) {
  WNDCLASSEXW description{};
  description.cbSize = sizeof description;
  description.lpfnWndProc = PaneProc;
  description.hInstance = instance;
  description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  description.lpszClassName = kPagePreviewClass;
  return RegisterClassExW(&description) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void ShowPreviewPage(HWND pane, PageLayout page) {
  if (PaneState* state = StateOf(pane)) state->page = std::move(page);
  SetWindowTextW(pane, L"");
  InvalidateRect(pane, nullptr, FALSE);
}

void ShowPreviewMessage(HWND pane, const std::string& message) {
  if (PaneState* state = StateOf(pane)) state->page.reset();
  SetWindowTextW(pane, ToUtf16(message).c_str());
  InvalidateRect(pane, nullptr, FALSE);
}

}  // namespace kalkora::win32
