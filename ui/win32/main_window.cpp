#include "ui/win32/main_window.hpp"

#include <commctrl.h>

#include "core/app/clock_text.hpp"
#include "core/app/form_table.hpp"
#include "core/app/generate_command.hpp"
#include "core/app/kind_selection.hpp"
#include "core/base/form_names.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/about_box.hpp"
#include "ui/win32/banner_picture.hpp"
#include "ui/win32/batch_run.hpp"
#include "ui/win32/control_ids.hpp"
#include "ui/win32/filtered_edit.hpp"
#include "ui/win32/generate_button.hpp"
#include "ui/win32/help_page.hpp"
#include "ui/win32/menu.hpp"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_placement.hpp"

namespace kalkora::win32 {
namespace {

struct NativeKind {
  const wchar_t* windowClass;
  long style;
  long extendedStyle;
};

// The form was laid out with the default GUI font of a Chinese system (the form table's form
// font): the edit boxes lie over the blanks of the range label and the decimals caption. Where
// the default GUI font is another (narrower) one, the form font is asked for by name so that
// those texts still fall into place.
HFONT CreateFormFont(const FontSpec& formFont) {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  if (font.lfCharSet != GB2312_CHARSET) {
    font = LOGFONTW{};
    font.lfHeight = -formFont.pixelHeight;
    font.lfWeight = formFont.weight;
    font.lfCharSet = formFont.gb2312Charset ? GB2312_CHARSET : DEFAULT_CHARSET;
    wcscpy_s(font.lfFaceName, ToUtf16(formFont.family).c_str());
  }
  return CreateFontIndirectW(&font);
}

NativeKind KindOf(const ControlSpec& item, bool firstOfRadioGroup) {
  switch (item.kind) {
    case ControlKind::PictureBox:
      return {WC_STATICW, SS_BITMAP, 0};
    case ControlKind::GroupBox:
      return {WC_BUTTONW, BS_GROUPBOX | WS_GROUP, 0};
    case ControlKind::Label:
      return {WC_STATICW, SS_LEFT | WS_GROUP, 0};
    case ControlKind::EditBox:
      return {WC_EDITW,
              WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | (item.centred ? ES_CENTER : ES_LEFT),
              WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP | WS_GROUP, 0};
    case ControlKind::RadioButton:
      return {WC_BUTTONW, BS_AUTORADIOBUTTON | (firstOfRadioGroup ? WS_GROUP | WS_TABSTOP : 0L), 0};
    case ControlKind::Button:
      return {WC_BUTTONW, BS_OWNERDRAW | WS_TABSTOP | WS_GROUP, 0};
    case ControlKind::StatusBar:
      return {STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | WS_GROUP, 0};
    case ControlKind::HyperlinkLabel:
      return {WC_STATICW, SS_LEFT | SS_NOTIFY | WS_GROUP, 0};
    case ControlKind::Timer:
    case ControlKind::WordApplication:
    case ControlKind::WordDocuments:
      break;
  }
  return {nullptr, 0, 0};
}

}  // namespace

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(guiFont_), static_cast<HGDIOBJ>(buttonFont_),
                         static_cast<HGDIOBJ>(linkFont_), static_cast<HGDIOBJ>(banner_)}) {
    if (object) DeleteObject(object);
  }
}

bool MainWindow::Create(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(KALKORA_ICON));
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(KALKORA_ICON), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }

  const FormSpec& form = MainForm();
  HMENU menu = CreateMainMenu();
  CreateWindowExW(WS_EX_CONTROLPARENT, kMainWindowClass, ToUtf16(form.caption).c_str(),
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                  CW_USEDEFAULT, form.outerWidth, form.outerHeight, nullptr, menu, instance, this);
  if (!window_) DestroyMenu(menu);
  if (!window_ || !CreateControls(instance)) return false;
  // The form keeps its client area under the menu bar: the window grows by the bar's height.
  FitAndCentre(window_, form.clientWidth, form.clientHeight);
  accelerators_ = CreateMenuAccelerators();
  SetTimer(window_, kClockTimerId, static_cast<UINT>(FindControl(form::kClockTimer)->period),
           nullptr);
  OnWindowCreated(parts_.state, parts_.clock);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  return true;
}

bool MainWindow::CreateControls(HINSTANCE instance) {
  const FormSpec& form = MainForm();
  guiFont_ = CreateFormFont(form.formFont);
  buttonFont_ =
      CreateFontW(-form.buttonFont.pixelHeight, 0, 0, 0, form.buttonFont.weight, FALSE, FALSE,
                  FALSE, form.buttonFont.gb2312Charset ? GB2312_CHARSET : DEFAULT_CHARSET,
                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                  DEFAULT_PITCH | FF_DONTCARE, ToUtf16(form.buttonFont.family).c_str());
  LOGFONTW link{};
  GetObjectW(guiFont_, sizeof link, &link);
  link.lfUnderline = TRUE;
  linkFont_ = CreateFontIndirectW(&link);

  std::string_view previousParent;
  bool previousWasRadio = false;
  for (const ControlSpec& item : form.controls) {
    const bool firstOfRadioGroup = item.kind == ControlKind::RadioButton &&
                                   !(previousWasRadio && item.parent == previousParent);
    previousWasRadio = item.kind == ControlKind::RadioButton;
    previousParent = item.parent;
    const NativeKind native = KindOf(item, firstOfRadioGroup);
    if (!native.windowClass) continue;

    const DWORD visible = item.hidden ? 0 : WS_VISIBLE;
    const Rect at = InClientArea(item);
    const std::wstring text =
        item.kind == ControlKind::PictureBox ? std::wstring() : ToUtf16(item.text);
    HWND control = CreateWindowExW(
        static_cast<DWORD>(native.extendedStyle), native.windowClass, text.c_str(),
        WS_CHILD | WS_CLIPSIBLINGS | visible | static_cast<DWORD>(native.style), at.left, at.top,
        at.width, at.height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(item.name))), instance, nullptr);
    if (!control) return false;
    controls_.Add(item.name, control);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont_), FALSE);

    switch (item.kind) {
      case ControlKind::PictureBox:
        banner_ = LoadBanner(instance, item.rect.width, item.rect.height);
        SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner_));
        break;
      case ControlKind::EditBox:
        if (item.maxLength > 0) {
          SendMessageW(control, EM_SETLIMITTEXT, static_cast<WPARAM>(item.maxLength), 0);
        }
        if (item.filter != InputFilter::Any) FilterEditInput(control, item);
        break;
      case ControlKind::CheckBox:
      case ControlKind::RadioButton:
        SendMessageW(control, BM_SETCHECK, item.initialState == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
      case ControlKind::Button: {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
        MakeFlatButton(control);
        HWND tooltip = CreateWindowExW(
            WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
        std::wstring tip = ToUtf16(form.buttonTooltip);
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = tip.data();
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        break;
      }
      case ControlKind::StatusBar: {
        int edges[2] = {form.panels[0].width, form.panels[0].width + form.panels[1].width};
        SendMessageW(control, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
        controls_.SetStatusBar(control);
        int index = 0;
        for (const StatusPanel& panel : form.panels) {
          controls_.SetPanelText(index++, panel.initialText);
        }
        break;
      }
      case ControlKind::HyperlinkLabel:
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), FALSE);
        hyperlink_ = control;
        break;
      default:
        break;
    }
  }
  StackControls();
  return true;
}

// Each new control goes below the ones made before it. The edit boxes lie over blanks of the
// label and of a radio caption, and the banner over the top edge of the first group box, so
// they go on top; the group boxes go beneath everything, each inner one above the box that
// holds it.
void MainWindow::StackControls() {
  const auto place = [this](const ControlSpec& item, HWND where) {
    SetWindowPos(controls_.Find(item.name), where, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };
  const auto controls = MainForm().controls;
  for (const ControlSpec& item : controls) {
    if (item.kind == ControlKind::EditBox || item.kind == ControlKind::PictureBox) {
      place(item, HWND_TOP);
    }
  }
  for (auto item = controls.rbegin(); item != controls.rend(); ++item) {
    if (item->kind == ControlKind::GroupBox) place(*item, HWND_BOTTOM);
  }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

LRESULT MainWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (!OnMenuCommand(LOWORD(wParam))) OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kClockTimerId) OnClockTick(controls_, parts_.clock);
      return 0;
    case WM_DRAWITEM:
      DrawFlatButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == hyperlink_) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 238));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hyperlink_) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      if (runs_.RequestClose()) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kClockTimerId);
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int notification) {
  for (const ControlSpec& item : MainForm().controls) {
    if (ControlId(item.name) != id) continue;
    if (item.handler == Handler::KindBoxClicked && notification == BN_CLICKED) {
      OnKindBoxClicked(controls_, item.name);
    } else if (item.handler == Handler::Generate && notification == BN_CLICKED) {
      Generate();
    } else if (item.handler == Handler::OpenHyperlink && notification == STN_CLICKED) {
      OpenHelpPage(window_, parts_.messages);
    }
    return;
  }
}

bool MainWindow::OnMenuCommand(int id) {
  switch (id) {
    case kMenuGenerate:
      Generate();
      return true;
    case kMenuBatch:
      GenerateBatch();
      return true;
    case kMenuQuit:
      PostMessageW(window_, WM_CLOSE, 0, 0);
      return true;
    case kMenuAbout:
      ShowAbout(window_);
      return true;
  }
  return false;
}

// The run holds the UI thread from the click to its end, with the busy cursor. A close request
// that came meanwhile (while a message box of the run was up) is carried out once it has ended.
void MainWindow::Generate() {
  if (!runs_.BeginRun()) return;
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  RunGenerateCommand({controls_, parts_.state, parts_.clock, parts_.messages, parts_.office});
  SetCursor(previous);
  if (runs_.EndRun()) PostMessageW(window_, WM_CLOSE, 0, 0);
}

// A class set is a run like a sheet: one at a time, and a close request meanwhile waits for it.
void MainWindow::GenerateBatch() {
  if (!runs_.BeginRun()) return;
  Win32ClassSetWindow window(
      window_, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)),
      parts_.messages);
  RunClassSet({controls_, parts_.clock, window, converter_});
  if (runs_.EndRun()) PostMessageW(window_, WM_CLOSE, 0, 0);
}

}  // namespace kalkora::win32
