#include <QCloseEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <regex>
#include <stdexcept>
#include <utility>

#include "core/base/form_names.hpp"
#include "core/word/bounded_automation.hpp"
#include "ui/qt/office_wait.hpp"
#include "ui/qt/unavailable_office.hpp"
#include "window_fixture.hpp"

namespace kalkora::testing {
namespace {

class GenerateButtonTest : public WindowTest {
 public:
  void Generate() { Click(form::超级按钮1); }
  void SetPlaces(const char* text) { Find<QLineEdit>(form::编辑框3)->setText(text); }
};

// Each refused setting shows exactly its message, and neither the office nor the disk is
// touched.
TEST_F(GenerateButtonTest, RefusedSettingsShowTheirMessageAndTouchNothing) {
  struct Case {
    const char* what;
    std::function<void(GenerateButtonTest&)> settle;
    UserMessage expected;
  };
  const std::vector<Case> cases = {
      {"no kind",
       [](auto& t) { t.Click(form::选择框1); },
       {"没有选择要生成的加、减、乘、除、分数、连续加减法题库！", "提示： "}},
      {"decimals on, no places",
       [](auto& t) {
         t.Click(form::单选框5);
         t.SetPlaces("");
       },
       {"没有输入生成 几位小数点！", "提示： "}},
      {"zero places with decimals off",
       [](auto& t) { t.SetPlaces("0"); },
       {"支持输入的小数点位数范围 1－－5位 之间！", "提示： "}},
      {"four places on thirty problems",
       [](auto& t) {
         t.Click(form::单选框3);
         t.SetPlaces("4");
       },
       {"30题的作业，小数点如果大于3位，将无法显示出来！", "提示："}},
      {"chained addition with decimals",
       [](auto& t) {
         t.Click(form::选择框8);
         t.Click(form::单选框5);
       },
       {"连续加减法题型不支持小数点生成！", "提示："}},
      {"chained add-subtract with decimals",
       [](auto& t) {
         t.Click(form::选择框9);
         t.Click(form::单选框5);
       },
       {"连续加减法题型不支持小数点生成！", "提示："}},
      {"fractions with decimals",
       [](auto& t) {
         t.Click(form::选择框10);
         t.Click(form::单选框5);
       },
       {"分数题型不支持小数点生成！", "提示："}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages.shown.clear();
    SetUp();
    c.settle(*this);
    Generate();
    EXPECT_EQ(messages.shown, std::vector<UserMessage>{c.expected});
    EXPECT_TRUE(word.calls.empty());
    EXPECT_TRUE(store.writes.empty());
  }
}

TEST_F(GenerateButtonTest, AMissingWordProcessorIsReportedBeforeAnythingIsWritten) {
  for (const char* path : {"", "/opt/writer/bin/"}) {
    SCOPED_TRACE(path);
    messages.shown.clear();
    locator.path = path;
    Generate();
    const UserMessage missing{"电 脑 没 有 安 装 WORD 软 件.", "无法打开表格："};
    EXPECT_EQ(messages.shown, std::vector<UserMessage>{missing});
    EXPECT_TRUE(word.calls.empty());
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(window->controls().ReadText(form::编辑框19), path);
  }
}

TEST_F(GenerateButtonTest, ARunShowsTheBusyCursorUntilItEnds) {
  locator.path = "";
  Generate();
  ASSERT_EQ(messages.overrideCursors.size(), 1u);
  EXPECT_EQ(messages.overrideCursors.front(), Qt::WaitCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(GenerateButtonTest, AFullRunFillsTheSheetWithTheChosenKind) {
  Click(form::选择框2);
  Click(form::单选框2);
  Generate();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(store.writes, std::vector<int>{24});
  ASSERT_EQ(word.documents.size(), 1u);
  const SimDocument& sheet = word.Document(0);
  EXPECT_TRUE(sheet.templatePath.ends_with("d24.doc"));
  EXPECT_TRUE(word.visible);
  EXPECT_NE(sheet.paragraphs.at(2).text.find("减法运算题"), std::string::npos);
  const std::regex subtraction(R"((\d+) - (\d+) =)");
  for (int row = 1; row <= 11; row += 2) {
    for (int column = 1; column <= 4; ++column) {
      SCOPED_TRACE(std::to_string(row) + "," + std::to_string(column));
      const std::string cell = sheet.CellText(row, column);
      std::smatch operands;
      ASSERT_TRUE(std::regex_match(cell, operands, subtraction)) << cell;
      const int first = std::stoi(operands[1]);
      const int second = std::stoi(operands[2]);
      EXPECT_GE(first, second);
      EXPECT_GE(second, 1);
      EXPECT_LE(first, 100);
    }
  }
  // The date line below the table comes from the clock.
  EXPECT_NE(sheet.paragraphs.back().text.find("2026年12月8日"), std::string::npos);
  // The settings stay as the user left them.
  EXPECT_EQ(TickedKindBoxes(), std::vector<std::string>{"选择框2"});
  EXPECT_EQ(window->controls().ReadState(form::单选框2), 1);
}

TEST_F(GenerateButtonTest, ABuildWithoutAWordProcessorSaysSo) {
  qt::UnavailableOffice unavailable;
  window = qt::MainWindow::Create(
      {state, clock, messages, unavailable.Parts(), qt::UnavailableOffice::Reason()});
  ASSERT_TRUE(window);
  window->show();
  Generate();
  const UserMessage unavailableMessage{std::string(qt::kNoOfficeBackend), "无法打开表格："};
  EXPECT_EQ(messages.shown, std::vector<UserMessage>{unavailableMessage});
}

// A word processor edge that throws in the middle of a sheet.
class ThrowingWordProcessor : public SimulatedWordProcessor {
 public:
  bool TypeText(std::string_view) override { throw std::runtime_error("office went away"); }
};

TEST_F(GenerateButtonTest, AnOfficeThatThrowsEndsTheRunWithOneMessage) {
  ThrowingWordProcessor throwing;
  window = qt::MainWindow::Create({state, clock, messages, {throwing, locator, store}});
  ASSERT_TRUE(window);
  window->show();
  Generate();
  const UserMessage stopped{"生成题库时 WORD 软 件停止响应，题库没有完成。", "无法打开表格："};
  EXPECT_EQ(messages.shown, std::vector<UserMessage>{stopped});
  EXPECT_FALSE(throwing.documentsUnitHeld);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A word processor during whose first typed text something else happens to the window.
class InterruptedWordProcessor : public SimulatedWordProcessor {
 public:
  std::function<void()> duringFirstText;
  std::function<void()> onEveryText;

  bool TypeText(std::string_view text) override {
    if (auto happen = std::exchange(duringFirstText, nullptr)) happen();
    onEveryText();
    return SimulatedWordProcessor::TypeText(text);
  }
};

// The close request comes while the sheet is being typed, and a click 0.2 s later: the sheet is
// finished with the window still up, then the window closes and the click starts nothing.
TEST_F(GenerateButtonTest, AfterACloseRequestTheRunningSheetIsFinishedAndNoOtherStarts) {
  // The close request as the window system delivers it: to the window's native side.
  struct Case {
    const char* what;
    std::function<void(QWindow&)> requestClose;
  };
  const std::vector<Case> cases = {
      {"handled during the run",
       [](QWindow& w) {
         QCloseEvent request;
         QApplication::sendEvent(&w, &request);
       }},
      {"queued behind the run", [](QWindow& w) { QApplication::postEvent(&w, new QCloseEvent); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InterruptedWordProcessor office;
    window = qt::MainWindow::Create({state, clock, messages, {office, locator, store}});
    ASSERT_TRUE(window);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    bool shownAtLastText = false;
    office.onEveryText = [&] { shownAtLastText = window->isVisible(); };
    office.duringFirstText = [&] {
      c.requestClose(*window->windowHandle());
      QTimer::singleShot(200, window.get(), [this] { Generate(); });
    };
    Generate();
    QTest::qWait(400);
    EXPECT_EQ(office.documents.size(), 1u) << "one sheet only";
    EXPECT_EQ(office.Document(0).paragraphs.back().text, "2026年12月8日") << "the sheet is whole";
    EXPECT_TRUE(shownAtLastText) << "the window closed before the run ended";
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.shown.empty());
  }
}

// An office whose typing hangs until it is released, as a stopped office does.
class HangingWordProcessor : public SimulatedWordProcessor {
 public:
  struct Gate {
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
    void Open() {
      std::lock_guard lock(mutex);
      open = true;
      opened.notify_all();
    }
  };
  explicit HangingWordProcessor(std::shared_ptr<Gate> gate) : gate_(std::move(gate)) {}
  bool TypeText(std::string_view) override {
    std::unique_lock lock(gate_->mutex);
    gate_->opened.wait(lock, [this] { return gate_->open; });
    return false;
  }

 private:
  std::shared_ptr<Gate> gate_;
};

// A close request 0.1 s into a run that hangs on the office, queued as the window system
// delivers it: the window takes it while it waits, and closes as soon as the time limit gives
// the run up, with no message box holding it open.
TEST_F(GenerateButtonTest, ACloseRequestDuringAHangingRunClosesTheWindowOnceTheRunIsGivenUp) {
  using namespace std::chrono_literals;
  constexpr auto kLimit = 1s;
  const auto gate = std::make_shared<HangingWordProcessor::Gate>();
  {
    BoundedAutomation bounded([gate] { return std::make_unique<HangingWordProcessor>(gate); },
                              kLimit, {}, qt::OfficeWaitHandlingEvents());
    window = qt::MainWindow::Create({state, clock, messages, {bounded, locator, store}});
    ASSERT_TRUE(window);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTimer::singleShot(100, window.get(), [this] {
      QApplication::postEvent(window->windowHandle(), new QCloseEvent);
    });
    const auto start = std::chrono::steady_clock::now();
    Generate();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(window->isVisible()) << "the close request waits behind the run";
    EXPECT_TRUE(messages.shown.empty()) << messages.shown[0].text;
    EXPECT_LT(took, kLimit + 500ms);
    std::printf(
        "close 0.1 s into a hanging run: window closed %.2f s after the click (limit %.1f s)\n",
        std::chrono::duration<double>(took).count(), std::chrono::duration<double>(kLimit).count());
    window.reset();
  }
  gate->Open();
}

}  // namespace
}  // namespace kalkora::testing
