#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "core/base/form_names.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "fakes/simulated_word_processor.hpp"
#include "core/app/generate_command.hpp"
#include "core/word/bounded_automation.hpp"

namespace kalkora {
namespace {

using namespace std::chrono_literals;
using namespace testing;

// An office whose typing hangs, as a stopped process would, until the connection is abandoned.
class HangingOffice : public SimulatedWordProcessor {
 public:
  bool TypeText(std::string_view text) override {
    if (hang) {
      std::unique_lock lock(mutex);
      released.wait(lock, [this] { return abandonedByWatchdog; });
      return false;
    }
    return SimulatedWordProcessor::TypeText(text);
  }
  void Abandon() override {
    SimulatedWordProcessor::Abandon();
    std::lock_guard lock(mutex);
    abandonedByWatchdog = true;
    released.notify_all();
  }

  std::atomic<bool> hang = true;
  std::mutex mutex;
  std::condition_variable released;
  bool abandonedByWatchdog = false;
};

TEST(BoundedAutomation, AHangingOfficeEndsTheRunWithOneMessageAndTheNextRunConnectsAfresh) {
  MemoryControls controls;
  ProgramState state;
  FakeClock clock;
  RecordingMessageBox messages;
  HangingOffice office;
  FixedOfficeLocator locator("/usr/lib/libreoffice/program/");
  FakeTemplateStore store;
  BoundedAutomation bounded(office, 100ms);

  RunGenerateCommand({controls, state, clock, messages, bounded, locator, store});
  EXPECT_EQ(messages.shown,
            (std::vector<UserMessage>{
                {"生成题库时 WORD 软 件停止响应，题库没有完成。", "无法打开表格："}}));
  EXPECT_EQ(office.abandoned, 1);

  office.hang = false;
  messages.shown.clear();
  RunGenerateCommand({controls, state, clock, messages, bounded, locator, store});
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(office.applicationConnections, 2);
  EXPECT_EQ(office.documents.back().paragraphs.back().text, "2026年12月8日");
}

// While a timed-out call has not come back, calls fail at once rather than wait behind it.
class StuckOffice : public SimulatedWordProcessor {
 public:
  bool CreateApplication() override {
    std::unique_lock lock(mutex);
    released.wait(lock, [this] { return free; });
    return SimulatedWordProcessor::CreateApplication();
  }
  void Abandon() override { SimulatedWordProcessor::Abandon(); }  // cannot unblock the call
  void Free() {
    std::lock_guard lock(mutex);
    free = true;
    released.notify_all();
  }

  std::mutex mutex;
  std::condition_variable released;
  bool free = false;
};

TEST(BoundedAutomation, CallsFailAtOnceWhileATimedOutCallIsStillRunning) {
  StuckOffice office;
  BoundedAutomation bounded(office, 1s);
  EXPECT_FALSE(bounded.CreateApplication());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(bounded.AttachDocuments());
  EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms) << "no wait for the limit";
  office.Free();
  for (int i = 0; i < 100 && !bounded.AttachDocuments(); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(office.documentsUnitHeld) << "the office answers again once the call came back";
}

}  // namespace
}  // namespace kalkora
