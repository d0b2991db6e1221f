// The real kalkora.exe's window, read from another process: every control of the form table
// where the table puts it, with its caption, state and behaviour.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <regex>
#include <thread>

#include "core/app/form_table.hpp"
#include "core/base/form_names.hpp"
#include "kalkora_process.hpp"
#include "registry_setup.hpp"

namespace kalkora {
namespace {

using namespace std::chrono_literals;
using testing::KalkoraProcess;

bool IsVisual(const ControlSpec& item) {
  return item.kind != ControlKind::Timer && item.kind != ControlKind::WordApplication &&
         item.kind != ControlKind::WordDocuments;
}

const wchar_t* NativeClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::EditBox:
      return L"Edit";
    case ControlKind::StatusBar:
      return L"msctls_statusbar32";
    case ControlKind::PictureBox:
    case ControlKind::Label:
    case ControlKind::HyperlinkLabel:
      return L"Static";
    default:
      return L"Button";
  }
}

class KalkoraWindowLayout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { program = new KalkoraProcess(testing::HostPath(KALKORA_EXE)); }
  static void TearDownTestSuite() {
    delete program;
    program = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(program->Started()) << "no main window"; }

  static KalkoraProcess* program;
};

KalkoraProcess* KalkoraWindowLayout::program = nullptr;

// The form's client area under the menu bar: the window is as tall as its frame, the bar and
// the form's client area.
TEST_F(KalkoraWindowLayout, IsAFixedCentredWindowWithoutMaximizeBox) {
  const FormSpec& form = MainForm();
  const HWND window = program->Window();
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, form.clientWidth);
  EXPECT_EQ(client.bottom, form.clientHeight);
  // The bar's height: how much lower the client area starts than in a window of the same
  // style without a menu (Wine keeps menus to their process, so they cannot be asked).
  ASSERT_NE(GetMenu(window), nullptr);
  RECT frame{};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
  POINT clientTop{0, 0};
  ClientToScreen(window, &clientTop);
  const int barHeight = clientTop.y - outer.top + frame.top;
  EXPECT_GT(barHeight, 10);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  EXPECT_EQ(width, form.clientWidth + frame.right - frame.left);
  EXPECT_EQ(height, form.clientHeight + frame.bottom - frame.top + barHeight);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);

  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_EQ((style & WS_CAPTION), WS_CAPTION);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(testing::WindowText(window), form.caption);
}

TEST_F(KalkoraWindowLayout, EveryControlOfTheTableIsThereAsANativeControl) {
  for (const ControlSpec& item : MainForm().controls) {
    if (!IsVisual(item)) continue;
    SCOPED_TRACE(std::string(item.name));
    const HWND control = program->Control(item.name);
    ASSERT_NE(control, nullptr);

    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    EXPECT_EQ(_wcsicmp(className, NativeClass(item.kind)), 0);

    RECT placed{};
    GetWindowRect(control, &placed);
    MapWindowPoints(nullptr, program->Window(), reinterpret_cast<POINT*>(&placed), 2);
    const Rect expected = InClientArea(item);
    EXPECT_EQ(placed.left, expected.left);
    EXPECT_EQ(placed.top, expected.top);
    EXPECT_EQ(placed.right, expected.left + expected.width);
    EXPECT_EQ(placed.bottom, expected.top + expected.height);

    EXPECT_EQ(IsWindowVisible(control) != FALSE, !item.hidden);
    EXPECT_TRUE(IsWindowEnabled(control));
    if (item.kind != ControlKind::PictureBox && item.kind != ControlKind::StatusBar) {
      EXPECT_EQ(testing::WindowText(control), item.text);
    }
    if (item.kind == ControlKind::CheckBox || item.kind == ControlKind::RadioButton) {
      EXPECT_EQ(program->IsChecked(item.name), item.initialState == 1);
    }
    if (item.kind == ControlKind::EditBox && item.maxLength > 0) {
      EXPECT_EQ(SendMessageW(control, EM_GETLIMITTEXT, 0, 0), item.maxLength);
    }
  }
}

TEST_F(KalkoraWindowLayout, GenerateButtonIsDrawnByTheProgramAndNotTheDefault) {
  const LONG style = GetWindowLongW(program->Control(form::超级按钮1), GWL_STYLE);
  EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(KalkoraWindowLayout, StatusBarHasTwoPartsAndTheClockTicks) {
  const FormSpec& form = MainForm();
  EXPECT_EQ(program->PanelEdges(),
            (std::vector<int>{form.panels[0].width, form.panels[0].width + form.panels[1].width}));
  // Trailing zero fields are left out ("…日4时3分" at second 0).
  const std::regex clock("\\d{4}年\\d{1,2}月\\d{1,2}日(\\d{1,2}时(\\d{1,2}分(\\d{1,2}秒)?)?)?");
  // The panel is written by the timer, the first time a second after the start.
  const auto textOnceChangedFrom = [](const std::string& before) {
    std::string now = program->PanelText(0);
    for (int i = 0; i < 50 && now == before; ++i) {
      std::this_thread::sleep_for(100ms);
      now = program->PanelText(0);
    }
    return now;
  };
  const std::string first = textOnceChangedFrom("");
  EXPECT_TRUE(std::regex_match(first, clock)) << first;
  const std::string later = textOnceChangedFrom(first);
  EXPECT_TRUE(std::regex_match(later, clock)) << later;
  EXPECT_NE(later, first) << "the clock did not move in 5 s";
}

TEST_F(KalkoraWindowLayout, TickingAKindClearsTheOthersAndConfirmsIt) {
  program->Click(form::选择框4);
  EXPECT_TRUE(program->IsChecked(form::选择框4));
  EXPECT_FALSE(program->IsChecked(form::选择框1));
  EXPECT_EQ(program->PanelText(1), "  选择除法题库");
  program->Click(form::选择框4);  // clearing the box changes nothing else
  EXPECT_FALSE(program->IsChecked(form::选择框4));
  EXPECT_EQ(program->PanelText(1), "  选择除法题库");
  program->Click(form::选择框1);
  EXPECT_TRUE(program->IsChecked(form::选择框1));
}

TEST_F(KalkoraWindowLayout, PlacesBoxTakesOnlyDigitsAndTheMinusSign) {
  const HWND places = program->Control(form::编辑框3);
  for (const auto& [typed, kept] : std::vector<std::pair<wchar_t, std::string>>{
           {L'x', ""}, {L'.', ""}, {L'３', ""}, {L'7', "7"}, {L'-', "-"}}) {
    program->SetText(form::编辑框3, "");
    SendMessageW(places, WM_CHAR, typed, 0);
    EXPECT_EQ(program->Text(form::编辑框3), kept) << static_cast<int>(typed);
  }
  program->SetText(form::编辑框3, "");
  SendMessageW(places, WM_CHAR, L'1', 0);
  SendMessageW(places, WM_CHAR, L'2', 0);
  EXPECT_EQ(program->Text(form::编辑框3), "1");
  program->SetText(form::编辑框3, "2");
}

// Puts text on the clipboard as a copy in another program does; the clipboard needs an owner
// window, here a message-only one of the test's own.
bool PutOnClipboard(std::wstring_view text) {
  const HWND owner = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     nullptr, nullptr);
  bool put = false;
  if (owner && OpenClipboard(owner)) {
    EmptyClipboard();
    if (HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
      auto* characters = static_cast<wchar_t*>(GlobalLock(data));
      text.copy(characters, text.size());
      characters[text.size()] = L'\0';
      GlobalUnlock(data);
      put = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
      if (!put) GlobalFree(data);
    }
    CloseClipboard();
  }
  if (owner) DestroyWindow(owner);
  return put;
}

// Text that reaches the places box other than by typing meets the same filter and limit: a
// paste (WM_PASTE, which Ctrl+V and the context menu send), text put in place of the selection
// by another program (EM_REPLACESEL) and characters from an input method (WM_IME_CHAR). The
// limit counts characters: a pasted emoji (a UTF-16 pair) never leaves half of itself.
TEST_F(KalkoraWindowLayout, PastedAndPutInTextMeetsThePlacesFilter) {
  enum class Way { Paste, Replace, InputMethod };
  struct Case {
    const char* what;
    Way way;
    std::string before;
    bool selectAll;
    std::wstring arriving;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"paste x over the digit", Way::Paste, "2", true, L"x", "2"},
      {"paste x into the empty box", Way::Paste, "", false, L"x", ""},
      {"paste an emoji", Way::Paste, "", false, L"\U0001F600", ""},
      {"paste 3 over the digit", Way::Paste, "2", true, L"3", "3"},
      {"paste 3 beside the digit", Way::Paste, "2", false, L"3", "2"},
      {"paste 35 into the empty box", Way::Paste, "", false, L"35", "3"},
      {"paste a full-width digit", Way::Paste, "", false, L"３", ""},
      {"put in x", Way::Replace, "", false, L"x", ""},
      {"put in an emoji", Way::Replace, "", false, L"\U0001F600", ""},
      {"put in 7", Way::Replace, "", false, L"7", "7"},
      {"input method x", Way::InputMethod, "", false, L"x", ""},
      {"input method -", Way::InputMethod, "", false, L"-", "-"},
  };
  const HWND places = program->Control(form::编辑框3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    program->SetText(form::编辑框3, c.before);
    const WPARAM end = c.before.size();
    SendMessageW(places, EM_SETSEL, c.selectAll ? 0 : end,
                 c.selectAll ? -1 : static_cast<LPARAM>(end));
    switch (c.way) {
      case Way::Paste:
        ASSERT_TRUE(PutOnClipboard(c.arriving));
        SendMessageW(places, WM_PASTE, 0, 0);
        break;
      case Way::Replace:
        SendMessageW(places, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.arriving.c_str()));
        break;
      case Way::InputMethod:
        for (const wchar_t unit : c.arriving) SendMessageW(places, WM_IME_CHAR, unit, 0);
        break;
    }
    EXPECT_EQ(program->Text(form::编辑框3), c.expected);
  }
  program->SetText(form::编辑框3, "2");
}

}  // namespace
}  // namespace kalkora
