#include "ui/win32/filtered_edit.hpp"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <optional>
#include <string>

#include "core/app/edit_box_input.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora::win32 {
namespace {

constexpr UINT_PTR kFilterSubclassId = 2;

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The clipboard's text; empty when it holds none.
std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
      text.assign(characters, wcsnlen(characters, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Puts what the box takes of `inserted` in place of its selection. An empty text only deletes
// the selection, as EM_REPLACESEL does; text the box does not take changes nothing.
LRESULT ReplaceSelection(HWND edit, const ControlSpec& box, std::wstring_view inserted,
                         WPARAM canUndo) {
  std::wstring kept = TextOf(edit);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  end = std::min<DWORD>(end, static_cast<DWORD>(kept.size()));
  start = std::min(start, end);
  kept.erase(start, end - start);
  const std::optional<std::string> fitting = FittingInsertion(box, ToUtf8(kept), ToUtf8(inserted));
  if (!fitting || (fitting->empty() && !inserted.empty())) return 0;
  const std::wstring text = ToUtf16(*fitting);
  return DefSubclassProc(edit, EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CALLBACK FilteredEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR entry) {
  const auto& box = *reinterpret_cast<const ControlSpec*>(entry);
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
      if (!AcceptsTypedCharacter(box.filter, static_cast<char32_t>(wParam))) return 0;
      break;
    case WM_PASTE:
      ReplaceSelection(edit, box, ClipboardText(edit), TRUE);
      return 0;
    case EM_REPLACESEL:
      return ReplaceSelection(edit, box, lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"",
                              wParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, FilteredEditProc, kFilterSubclassId);
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void FilterEditInput(HWND edit, const ControlSpec& box) {
  ImmAssociateContextEx(edit, nullptr, 0);
  SetWindowSubclass(edit, FilteredEditProc, kFilterSubclassId, reinterpret_cast<DWORD_PTR>(&box));
}

}  // namespace kalkora::win32
