// The window side of a class set: the file names the batch dialog works with, the dialog's
// 题目要求 group, title and preview driven in this process as a user drives them, and the
// progress window that appears for a set that takes a while and cancels it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "batch_dialog_driver.hpp"
#include "core/app/batch_messages.hpp"
#include "core/app/batch_preview.hpp"
#include "core/generate/rule_presets.hpp"
#include "core/generate/sheet_rules.hpp"
#include "core/word/page_layout.hpp"
#include "paint/win32/page_painter.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/batch_dialog.hpp"
#include "ui/win32/batch_dialog_layout.hpp"
#include "ui/win32/batch_file.hpp"
#include "ui/win32/batch_memory.hpp"
#include "ui/win32/batch_progress.hpp"
#include "ui/win32/rule_group.hpp"

namespace kalkora {

// Rules in the key's words, for a failure's message.
void PrintTo(const SheetRules& rules, std::ostream* out) { *out << '"' << RuleWords(rules) << '"'; }

namespace {

using namespace std::chrono_literals;

struct ExtensionCase {
  const char* path;
  DocumentFormat format;
  const char* expected;
};

TEST(BatchFile, TheExtensionFollowsTheFormatAndPathsAreMadeAbsolute) {
  const ExtensionCase cases[] = {
      {"C:\\班级\\题卡.docx", DocumentFormat::Pdf, "C:\\班级\\题卡.pdf"},
      {"题卡.DOCX", DocumentFormat::Pdf, "题卡.pdf"},
      {"题卡.Pdf", DocumentFormat::Docx, "题卡.docx"},
      {"三年级", DocumentFormat::Docx, "三年级.docx"},
      {"notes.txt", DocumentFormat::Pdf, "notes.txt.pdf"},
      {"", DocumentFormat::Pdf, ""},
  };
  for (const ExtensionCase& item : cases) {
    EXPECT_EQ(WithFormatExtension(item.path, item.format), item.expected) << item.path;
  }
  EXPECT_EQ(win32::DefaultBatchPath("C:\\文档", {2026, 3, 9, 8, 0, 0}),
            "C:\\文档\\口算题卡-2026-03-09.docx");
  EXPECT_EQ(win32::AbsoluteIn("C:\\文档", "三年级\\.\\题卡.docx"), "C:\\文档\\三年级\\题卡.docx");
  EXPECT_EQ(win32::AbsoluteIn("C:\\文档", "D:\\题卡.docx"), "D:\\题卡.docx");
  EXPECT_EQ(BatchFiles("C:\\题卡.docx", true),
            (std::vector<std::string>{"C:\\题卡.docx", "C:\\题卡-答案.docx"}));
  EXPECT_EQ(BatchFiles("C:\\题卡.docx", false), std::vector<std::string>{"C:\\题卡.docx"});
}

// A visible top-level window of the thread with this window class.
HWND ShownWindow(DWORD thread, const wchar_t* className) {
  struct Search {
    const wchar_t* className;
    HWND found = nullptr;
  } search{className};
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM parameter) {
        auto& wanted = *reinterpret_cast<Search*>(parameter);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (!IsWindowVisible(window) || std::wstring_view(name) != wanted.className) return TRUE;
        wanted.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Whether the condition came true within the time.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 20s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

HWND WaitForWindow(DWORD thread, const wchar_t* className) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = ShownWindow(thread, className)) != nullptr; });
  return found;
}

// The text of a message box of the thread once one shows, after which it is answered OK.
std::string AnswerMessageBox(DWORD thread) {
  const HWND box = WaitForWindow(thread, L"#32770");
  if (!box) return "no message box";
  std::string text;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM parameter) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        auto& found = *reinterpret_cast<std::string*>(parameter);
        if (_wcsicmp(name, L"Static") == 0 && found.empty()) found = testing::WindowText(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  return text;
}

namespace fs = std::filesystem;

// The 题目要求 fields as the user sees them, one text a field in the group's order.
std::vector<std::string> RuleTexts(const testing::BatchDialogDriver& dialog) {
  std::vector<std::string> shown;
  for (const int id : {win32::kBatchSecondFrom, win32::kBatchSecondTo, win32::kBatchResultFrom,
                       win32::kBatchResultTo}) {
    shown.push_back(dialog.Text(id));
  }
  for (const int id :
       {win32::kBatchCarry, win32::kBatchBorrow, win32::kBatchRemainder, win32::kBatchBlank}) {
    shown.push_back(dialog.Picked(id));
  }
  shown.push_back(dialog.Ticked(win32::kBatchDistinct) ? "不重复" : "");
  return shown;
}

// 批量生成 opened in this process as the window opens it, driven from another thread as a
// user drives it. The choices that 生成 hands on are kept, and each closes the dialog.
class BatchDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ForgetLastChoices();
    folder_ =
        fs::temp_directory_path() / ("kalkora-dialog-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder_);
    input_.today = {2026, 3, 9, 8, 0, 0};
    input_.randomCode = 482913;
  }
  void TearDown() override {
    ForgetLastChoices();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  // The next opening shows the dialog's defaults, not the choices of the last 生成.
  static void ForgetLastChoices() { RegDeleteTreeW(HKEY_CURRENT_USER, win32::kBatchMemoryKey); }

  // Runs the dialog until `drive` and what it leads to end it; whatever `drive` leaves open
  // is closed, its message boxes answered.
  std::vector<BatchChoice> Run(
      const std::function<void(const testing::BatchDialogDriver&)>& drive) {
    std::vector<BatchChoice> submitted;
    std::atomic<bool> ended = false;
    const DWORD thread = GetCurrentThreadId();
    std::thread user([&] {
      const HWND dialog = WaitForWindow(thread, win32::kBatchDialogClass);
      if (dialog) drive(testing::BatchDialogDriver(dialog));
      while (!ended) {
        if (const HWND box = ShownWindow(thread, L"#32770")) {
          PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        } else if (dialog) {
          PostMessageW(dialog, WM_CLOSE, 0, 0);
        }
        std::this_thread::sleep_for(50ms);
      }
    });
    win32::AskForBatch(nullptr, GetModuleHandleW(nullptr), input_, [&](const BatchChoice& c) {
      submitted.push_back(c);
      return BatchSubmission{};
    });
    ended = true;
    user.join();
    return submitted;
  }

  // 生成 with the file in the test's folder.
  void Generate(const testing::BatchDialogDriver& dialog) const {
    dialog.Type(win32::kBatchFile, win32::ToUtf8((folder_ / L"三班.docx").wstring()));
    dialog.Generate();
  }

  fs::path folder_;
  BatchDialogInput input_;
};

// The 题目要求 group and the title as the dialog reads them: the rules 生成 hands on, whether
// 生成 can be pressed, and the refusal the preview shows instead of the page.
TEST_F(BatchDialogTest, TheRuleFieldsGiveTheRulesOrTheRefusalShownInThePreview) {
  using Fill = std::function<void(const testing::BatchDialogDriver&)>;
  const auto type = [](int id, std::string text) -> Fill {
    return [=](const testing::BatchDialogDriver& d) { d.Type(id, text); };
  };
  const auto pick = [](int id, std::string item) -> Fill {
    return [=](const testing::BatchDialogDriver& d) { d.Pick(id, item); };
  };
  const auto all = [](std::vector<Fill> fills) -> Fill {
    return [=](const testing::BatchDialogDriver& d) {
      for (const Fill& fill : fills) fill(d);
    };
  };
  struct Case {
    const char* what;
    ExerciseKind kind;
    Fill fill;
    SheetRules rules;     // what 生成 hands on, when it can be pressed and nothing is refused
    std::string refusal;  // a part of what the preview shows instead of the page; empty: a page
    bool generate;
  };
  SheetRules tens;
  tens.secondFrom = "1";
  tens.secondTo = "9";
  tens.carry = 100;
  tens.blank = BlankPlace::First;
  tens.distinct = true;
  SheetRules division = PresetRules(*FindRulePreset("表内除法"));
  division.remainder = 100;
  SheetRules shares;
  shares.borrow = 30;
  shares.remainder = 0;
  shares.blank = BlankPlace::Any;
  std::string longTitle;
  for (int i = 0; i <= TitleLimit(); ++i) longTitle += "班";
  const Case cases[] = {
      {"no rule: the classic sheet", ExerciseKind::Addition, [](auto&) {}, {}, {}, true},
      {"ranges typed in full-width digits with spaces, a share, the blank and 不重复",
       ExerciseKind::Addition,
       all({type(win32::kBatchSecondFrom, "１"), type(win32::kBatchSecondTo, " 9 "),
            pick(win32::kBatchCarry, "全部"), pick(win32::kBatchBlank, "第一个数"),
            [](auto& d) { d.Click(win32::kBatchDistinct); }}),
       tens,
       {},
       true},
      {"shares on a mixed kind, the blank anywhere",
       ExerciseKind::FourOpMixed,
       all({pick(win32::kBatchBorrow, "比例 30%"), pick(win32::kBatchRemainder, "没有"),
            pick(win32::kBatchBlank, "随机")}),
       shares,
       {},
       true},
      {"a carry share on fractions",
       ExerciseKind::Fraction,
       pick(win32::kBatchCarry, "比例 50%"),
       {},
       "分数题不能要求进位（进位选不限）",
       false},
      {"results no sum of the range reaches",
       ExerciseKind::Addition,
       all({type(win32::kBatchResultFrom, "500"), type(win32::kBatchResultTo, "600")}),
       {},
       "这些设置出不了",
       false},
      {"one end of the second range",
       ExerciseKind::Addition,
       type(win32::kBatchSecondFrom, "3"),
       {},
       "两头都给",
       false},
      {"a result bound that is not a number",
       ExerciseKind::Addition,
       type(win32::kBatchResultTo, "十"),
       {},
       kResultToLabel,
       false},
      {"a second bound with a fraction",
       ExerciseKind::Addition,
       type(win32::kBatchSecondTo, "9.5"),
       {},
       kSecondToLabel,
       false},
      {"a preset with a share changed after it",
       ExerciseKind::Addition,
       all({[](auto& d) { d.ChoosePreset("表内除法"); }, pick(win32::kBatchRemainder, "全部")}),
       division,
       {},
       true},
      {"a title too long for its line",
       ExerciseKind::Addition,
       type(win32::kBatchTitle, longTitle),
       {},
       TitleMessage(TitleLimit()).text,
       true},
      {"a first code of five digits",
       ExerciseKind::Addition,
       type(win32::kBatchFirstCode, "99999"),
       {},
       SheetCodeMessage().text,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ForgetLastChoices();
    input_.form.kind = c.kind;
    std::string early, shown;
    bool generate = false;
    const std::vector<BatchChoice> submitted = Run([&](const testing::BatchDialogDriver& dialog) {
      const DWORD thread = GetWindowThreadProcessId(dialog.Dialog(), nullptr);
      c.fill(dialog);
      if (!c.generate) {
        // Enter pressed at once after a change, before the redraw, says why and keeps it open.
        PostMessageW(dialog.Dialog(), WM_COMMAND, IDOK, 0);
        early = AnswerMessageBox(thread);
      }
      dialog.Redraw();
      generate = dialog.Enabled(IDOK);
      shown = dialog.Text(win32::kBatchPreview);
      if (generate && c.refusal.empty()) Generate(dialog);
    });
    EXPECT_EQ(generate, c.generate);
    if (c.refusal.empty()) {
      EXPECT_EQ(shown, "") << "a page, not a message";
      ASSERT_EQ(submitted.size(), 1u);
      EXPECT_EQ(submitted[0].rules, c.rules);
    } else {
      EXPECT_NE(shown.find(c.refusal), std::string::npos) << shown;
      EXPECT_TRUE(submitted.empty());
    }
    if (!c.generate) {
      EXPECT_EQ(early, shown) << "the message box says what the preview says";
    }
    EXPECT_TRUE(fs::is_empty(folder_));
  }
}

// Every preset fills the group with what it sets: 生成 hands on its rules, with nothing
// refused. 不用 clears the group again, and a field edited after the preset overrides it.
TEST_F(BatchDialogTest, APresetFillsTheGroupWithItsRules) {
  const auto fields = RuleTexts;
  const std::vector<std::string> unset{"", "", "", "", "不限", "不限", "不限", "得数", ""};
  Run([&](const testing::BatchDialogDriver& dialog) {
    EXPECT_EQ(dialog.Picked(win32::kBatchPreset), win32::kNoPreset);
    EXPECT_EQ(fields(dialog), unset);
    dialog.ChoosePreset("20以内填空");
    EXPECT_EQ(fields(dialog), (std::vector<std::string>{"0", "20", "0", "20", "不限", "不限",
                                                        "不限", "随机", "不重复"}));
    dialog.Pick(win32::kBatchPreset, 0);
    EXPECT_EQ(fields(dialog), unset);
    dialog.ChoosePreset("20以内退位减法");
    EXPECT_EQ(fields(dialog),
              (std::vector<std::string>{"2", "9", "", "", "不限", "全部", "不限", "得数", ""}));
    dialog.Pick(win32::kBatchBorrow, "比例 50%");
    EXPECT_EQ(dialog.Picked(win32::kBatchPreset), "20以内退位减法") << "the preset stays chosen";
    dialog.Redraw();
    EXPECT_EQ(dialog.Text(win32::kBatchSettings), "减法运算题，每份 18 题，11 到 18");
  });
  for (const RulePreset& preset : RulePresets()) {
    SCOPED_TRACE(preset.name);
    std::string shown;
    const std::vector<BatchChoice> submitted = Run([&](const testing::BatchDialogDriver& dialog) {
      dialog.ChoosePreset(preset.name);
      dialog.Redraw();
      shown = dialog.Text(win32::kBatchPreview);
      Generate(dialog);
    });
    EXPECT_EQ(shown, "");
    ASSERT_EQ(submitted.size(), 1u);
    EXPECT_EQ(submitted[0].rules, PresetRules(preset));
  }
}

// The title, the name line and the code reach 生成. The preview redraws itself a moment after
// a change.
TEST_F(BatchDialogTest, TheTitleNameLineAndCodeReachTheChoice) {
  bool clearedItself = false;
  std::string refused;
  const std::vector<BatchChoice> submitted = Run([&](const testing::BatchDialogDriver& dialog) {
    dialog.Click(win32::kBatchAnswers);
    dialog.Type(win32::kBatchResultTo, "x");
    WaitUntil([&] { return !(refused = dialog.Text(win32::kBatchPreview)).empty(); });
    dialog.Type(win32::kBatchResultTo, "");
    clearedItself = WaitUntil([&] { return dialog.Text(win32::kBatchPreview).empty(); });
    dialog.Type(win32::kBatchTitle, " 三年级二班 ");
    dialog.Click(win32::kBatchNameLine);
    dialog.Type(win32::kBatchFirstCode, "482913");
    Generate(dialog);
  });
  EXPECT_NE(refused.find(kResultToLabel), std::string::npos) << refused;
  EXPECT_TRUE(clearedItself);
  ASSERT_EQ(submitted.size(), 1u);
  EXPECT_EQ(submitted[0].title, "三年级二班");
  EXPECT_TRUE(submitted[0].nameLine);
  EXPECT_EQ(submitted[0].firstCode, 482913);
  EXPECT_FALSE(submitted[0].answers);
  EXPECT_EQ(submitted[0].sheets, 1);
}

// The next opening shows the rules, the title and the name line of the last 生成, the preset
// as it was edited, and hands on the same choice again.
TEST_F(BatchDialogTest, TheNextOpeningShowsTheRulesTitleAndNameLineOfTheLastGenerate) {
  const std::vector<BatchChoice> first = Run([&](const testing::BatchDialogDriver& dialog) {
    dialog.ChoosePreset("20以内退位减法");
    dialog.Type(win32::kBatchSecondFrom, "3");
    dialog.Pick(win32::kBatchBorrow, "比例 40%");
    dialog.Type(win32::kBatchTitle, " 三班口算 ");
    dialog.Click(win32::kBatchNameLine);
    Generate(dialog);
  });
  std::vector<std::string> shown;
  std::string preset, title;
  bool nameLine = false;
  const std::vector<BatchChoice> again = Run([&](const testing::BatchDialogDriver& dialog) {
    preset = dialog.Picked(win32::kBatchPreset);
    shown = RuleTexts(dialog);
    title = dialog.Text(win32::kBatchTitle);
    nameLine = dialog.Ticked(win32::kBatchNameLine);
    Generate(dialog);
  });
  EXPECT_EQ(preset, "20以内退位减法");
  EXPECT_EQ(shown,
            (std::vector<std::string>{"3", "9", "", "", "不限", "比例 40%", "不限", "得数", ""}));
  EXPECT_EQ(title, "三班口算");
  EXPECT_TRUE(nameLine);
  ASSERT_EQ(first.size(), 1u);
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].rules, first[0].rules);
  EXPECT_EQ(again[0].title, first[0].title);
  EXPECT_TRUE(again[0].nameLine);
}

// A picture of a window's client area, top-down rows of 0xRRGGBB pixels, painted by `paint`
// into a memory DC.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  friend bool operator==(const Picture&, const Picture&) = default;
};

Picture Paint(SIZE size, const std::function<void(HDC)>& paint) {
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  paint(dc);
  GdiFlush();
  Picture picture{size.cx, size.cy, {}};
  const auto* first = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(first, first + size.cx * size.cy);
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0xffffff;
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return picture;
}

SIZE ClientSize(HWND window) {
  RECT area{};
  GetClientRect(window, &area);
  return {area.right, area.bottom};
}

// What the pane paints when asked to print its client area.
Picture PaneShown(HWND pane) {
  return Paint(ClientSize(pane), [pane](HDC dc) {
    SendMessageW(pane, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}

// The page as the painter draws it into the pane: on the dialog's face, a 4-pixel margin
// around the paper.
Picture PageInPane(const PageLayout& page, SIZE pane) {
  return Paint(pane, [&](HDC dc) {
    const RECT area{0, 0, pane.cx, pane.cy};
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    win32::PaintPage(dc, page, {4, 4, pane.cx - 4, pane.cy - 4});
  });
}

// The preview is the first sheet 生成 writes, with its code, title and name line, or with
// 预览答案 its key; 预览答案 can only be ticked while the key is written.
TEST_F(BatchDialogTest, ThePreviewShowsTheFirstSheetOrItsKeyAsTheyAreWritten) {
  BatchChoice choice;
  choice.firstCode = 482913;
  choice.title = "三年级二班";
  choice.nameLine = true;
  const std::optional<PageLayout> sheet = PreviewBatch(input_, choice, false).page;
  const std::optional<PageLayout> key = PreviewBatch(input_, choice, true).page;
  ASSERT_TRUE(sheet && key);
  Picture shownSheet, shownKey, shownWithoutKey;
  SIZE size{};
  bool keyWhileAnswers = false, keyWithoutAnswers = true;
  Run([&](const testing::BatchDialogDriver& dialog) {
    const HWND pane = dialog.Control(win32::kBatchPreview);
    size = ClientSize(pane);
    dialog.Type(win32::kBatchFirstCode, "482913");
    dialog.Type(win32::kBatchTitle, " 三年级二班 ");
    dialog.Click(win32::kBatchNameLine);
    dialog.Redraw();
    shownSheet = PaneShown(pane);
    keyWhileAnswers = dialog.Enabled(win32::kBatchPreviewKey);
    dialog.Click(win32::kBatchPreviewKey);
    dialog.Redraw();
    shownKey = PaneShown(pane);
    dialog.Click(win32::kBatchAnswers);
    dialog.Redraw();
    keyWithoutAnswers = dialog.Enabled(win32::kBatchPreviewKey);
    shownWithoutKey = PaneShown(pane);
    dialog.Click(IDCANCEL);
  });
  EXPECT_TRUE(shownSheet == PageInPane(*sheet, size)) << "the first sheet, as it is written";
  EXPECT_TRUE(shownKey == PageInPane(*key, size)) << "its key";
  EXPECT_TRUE(shownWithoutKey == shownSheet) << "no key is written";
  EXPECT_TRUE(keyWhileAnswers);
  EXPECT_FALSE(keyWithoutAnswers);

  // Drawn: much white paper, with dark lines and texts on it; the key has more of them.
  const auto count = [](const Picture& picture, auto&& kind) {
    return std::count_if(picture.pixels.begin(), picture.pixels.end(), kind);
  };
  const auto white = [](std::uint32_t pixel) { return pixel == 0xffffff; };
  const auto dark = [](std::uint32_t pixel) {
    return ((pixel >> 16 & 0xff) + (pixel >> 8 & 0xff) + (pixel & 0xff)) < 3 * 160;
  };
  const long pixels = size.cx * size.cy;
  EXPECT_GT(count(shownSheet, white), pixels / 2);
  EXPECT_GT(count(shownSheet, dark), pixels / 200);
  EXPECT_LT(count(shownSheet, dark), pixels / 10);
  EXPECT_GT(count(shownKey, dark), count(shownSheet, dark));
}

// A set of many slow sheets: the progress window comes after a second, and its 取消 ends the
// set at the next sheet.
TEST(BatchProgress, AppearsAfterASecondAndCancelsTheSet) {
  std::chrono::steady_clock::duration appearedAfter{};
  const auto started = std::chrono::steady_clock::now();
  std::thread user([&] {
    HWND progress = nullptr;
    for (int i = 0; i < 500 && !(progress && IsWindowVisible(progress)); ++i) {
      std::this_thread::sleep_for(10ms);
      progress = FindWindowW(win32::kBatchProgressClass, nullptr);
    }
    appearedAfter = std::chrono::steady_clock::now() - started;
    if (progress) PostMessageW(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
  });
  int sheetsDone = 0;
  const BatchResult result = win32::WriteWithProgress(
      nullptr, GetModuleHandleW(nullptr), false, [&](const BatchProgress& progress) {
        for (int sheet = 1; sheet <= 500; ++sheet) {
          std::this_thread::sleep_for(20ms);
          sheetsDone = sheet;
          if (!progress(sheet, 500)) return BatchResult{BatchOutcome::Cancelled, {}, {}};
        }
        return BatchResult{BatchOutcome::Written, {}, {}};
      });
  user.join();

  EXPECT_EQ(result.outcome, BatchOutcome::Cancelled);
  EXPECT_GE(appearedAfter, 1s);
  EXPECT_LT(appearedAfter, 10s);  // a cold Wine takes a while to make its first window
  EXPECT_LT(sheetsDone, 500);
  EXPECT_EQ(FindWindowW(win32::kBatchProgressClass, nullptr), nullptr);
}

}  // namespace
}  // namespace kalkora
