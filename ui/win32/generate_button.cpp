#include "ui/win32/generate_button.hpp"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace kalkora::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr wchar_t kHoverProperty[] = L"KalkoraHover";

bool IsHovered(HWND button) { return GetPropW(button, kHoverProperty) != nullptr; }

LRESULT CALLBACK FlatButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!IsHovered(button)) {
        SetPropW(button, kHoverProperty, reinterpret_cast<HANDLE>(1));
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
        InvalidateRect(button, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      RemovePropW(button, kHoverProperty);
      InvalidateRect(button, nullptr, FALSE);
      break;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_NCDESTROY:
      RemovePropW(button, kHoverProperty);
      RemoveWindowSubclass(button, FlatButtonProc, kSubclassId);
      break;
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

COLORREF HoverShade(COLORREF face) {
  const auto lighter = [](BYTE channel) { return static_cast<BYTE>(std::min(255, channel + 19)); };
  return RGB(lighter(GetRValue(face)), lighter(GetGValue(face)), lighter(GetBValue(face)));
}

void MakeFlatButton(HWND button) { SetWindowSubclass(button, FlatButtonProc, kSubclassId, 0); }

void DrawFlatButton(const DRAWITEMSTRUCT& item) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  HBRUSH faceBrush = CreateSolidBrush(IsHovered(item.hwndItem) ? HoverShade(face) : face);
  RECT bounds = item.rcItem;
  FillRect(item.hDC, &bounds, faceBrush);
  DeleteObject(faceBrush);
  FrameRect(item.hDC, &bounds, GetSysColorBrush(COLOR_BTNSHADOW));

  std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(
      GetWindowTextW(item.hwndItem, caption.data(), static_cast<int>(caption.size()))));
  if (item.itemState & ODS_SELECTED) OffsetRect(&bounds, 1, 1);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &bounds,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace kalkora::win32
