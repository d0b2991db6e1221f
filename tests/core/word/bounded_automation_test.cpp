#include <gtest/gtest.h>

#include <condition_variable>
#include <future>
#include <mutex>
#include <set>
#include <thread>

#include "core/app/generate_command.hpp"
#include "core/word/bounded_automation.hpp"
#include "core/word/office_messages.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "fakes/simulated_word_processor.hpp"

namespace kalkora {
namespace {

using namespace std::chrono_literals;
using namespace testing;

constexpr std::chrono::milliseconds kLimit = 300ms;

// A stopped office as the connections of one test meet it: the member named in `hangIn` blocks
// until Release, and abandoning a connection does not free its call. Records which threads the
// connections are made and used on.
struct StoppedOffice {
  std::mutex mutex;
  std::condition_variable changed;
  std::string hangIn;
  bool released = false;
  int made = 0;
  int destroyed = 0;
  std::vector<std::thread::id> startedThreads;  // one per start hook run
  std::vector<std::thread::id> endedThreads;    // one per end hook run, after the connection
  std::set<std::thread::id> madeThreads;
  std::set<std::thread::id> callThreads;
  std::set<std::thread::id> destroyedThreads;

  void Release() {
    std::lock_guard lock(mutex);
    released = true;
    changed.notify_all();
  }
  // Every connection made was let go and every worker has ended.
  bool AllDestroyed() {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, 5s, [this] {
      return destroyed == made && endedThreads.size() == startedThreads.size();
    });
  }
  void AnswerAgainFrom(const std::string& member) {
    std::lock_guard lock(mutex);
    if (hangIn == member) hangIn.clear();
  }
};

class StoppedConnection : public SimulatedWordProcessor {
 public:
  explicit StoppedConnection(std::shared_ptr<StoppedOffice> office) : office_(std::move(office)) {
    std::lock_guard lock(office_->mutex);
    ++office_->made;
    office_->madeThreads.insert(std::this_thread::get_id());
  }
  ~StoppedConnection() override {
    std::lock_guard lock(office_->mutex);
    ++office_->destroyed;
    office_->destroyedThreads.insert(std::this_thread::get_id());
    office_->changed.notify_all();
  }

  bool CreateApplication() override {
    Answers("CreateApplication");
    return SimulatedWordProcessor::CreateApplication();
  }
  bool TypeText(std::string_view text) override {
    return Answers("TypeText") && SimulatedWordProcessor::TypeText(text);
  }
  bool ReleaseDocuments() override {
    return Answers("ReleaseDocuments") && SimulatedWordProcessor::ReleaseDocuments();
  }
  void ReleaseAll() override {
    if (Answers("ReleaseAll")) SimulatedWordProcessor::ReleaseAll();
  }
  void Abandon() override {}

 private:
  // False after hanging until released.
  bool Answers(const std::string& member) {
    std::unique_lock lock(office_->mutex);
    office_->callThreads.insert(std::this_thread::get_id());
    if (office_->hangIn != member) return true;
    office_->changed.wait(lock, [this] { return office_->released; });
    return false;
  }

  std::shared_ptr<StoppedOffice> office_;
};

std::unique_ptr<BoundedAutomation> Bounded(const std::shared_ptr<StoppedOffice>& office,
                                           BoundedAutomation::Wait wait = {}) {
  return std::make_unique<BoundedAutomation>(
      [office] { return std::make_unique<StoppedConnection>(office); }, kLimit,
      BoundedAutomation::ThreadHooks{
          [office] {
            std::lock_guard lock(office->mutex);
            office->startedThreads.push_back(std::this_thread::get_id());
          },
          [office] {
            std::lock_guard lock(office->mutex);
            // The end hook comes after the worker's connection is gone.
            if (office->destroyedThreads.contains(std::this_thread::get_id())) {
              office->endedThreads.push_back(std::this_thread::get_id());
            }
            office->changed.notify_all();
          }},
      std::move(wait));
}

struct SheetRun {
  MemoryControls controls;
  ProgramState state;
  FakeClock clock;
  RecordingMessageBox messages;
  FixedOfficeLocator locator{"/usr/lib/libreoffice/program/"};
  FakeTemplateStore store;

  std::chrono::steady_clock::duration Generate(WordAutomation& automation) {
    const auto start = std::chrono::steady_clock::now();
    RunGenerateCommand({controls, state, clock, messages, automation, locator, store});
    return std::chrono::steady_clock::now() - start;
  }
};

// An office that stops answering among the problems, or as the finished sheet is let go: the
// run ends within the limit with one message. Until the office has answered the call that was
// given up on, a run ends at once saying so, even when new connections would answer; after
// that the next run works over a new worker.
class HangingCall : public ::testing::TestWithParam<std::string> {};

TEST_P(HangingCall, EndsTheRunAndTheRunsUntilItReturnsThenANewWorkerWorks) {
  const auto office = std::make_shared<StoppedOffice>();
  office->hangIn = GetParam();
  {
    const std::unique_ptr<BoundedAutomation> bounded = Bounded(office);
    SheetRun stopped;
    EXPECT_LT(stopped.Generate(*bounded), kLimit + 1s) << "a second wait";
    EXPECT_EQ(stopped.messages.shown, std::vector<UserMessage>{OfficeMessage(kWordStoppedMidRun)});

    office->AnswerAgainFrom(GetParam());  // for new connections; the first call stays stuck
    for (int click = 0; click < 2; ++click) {
      SheetRun refused;
      EXPECT_LT(refused.Generate(*bounded), kLimit / 3) << "waited on the stuck office again";
      EXPECT_EQ(refused.messages.shown, std::vector<UserMessage>{OfficeMessage(kWordNotAnswering)});
    }

    office->Release();
    const auto patience = std::chrono::steady_clock::now() + 5s;
    // With no worker of its own, letting go of the documents fails while the office is busy.
    while (!bounded->ReleaseDocuments() && std::chrono::steady_clock::now() < patience) {
      std::this_thread::sleep_for(5ms);
    }
    ASSERT_TRUE(bounded->ReleaseDocuments())
        << "the worker that was let go did not end once its call returned";
    SheetRun next;
    next.Generate(*bounded);
    EXPECT_TRUE(next.messages.shown.empty()) << next.messages.shown[0].text;
  }
  ASSERT_TRUE(office->AllDestroyed());
  EXPECT_EQ(office->made, 2);
  // The hooks ran once on each worker, and each connection lived on a thread of its own.
  ASSERT_EQ(office->startedThreads.size(), 2u);
  EXPECT_EQ(
      std::set<std::thread::id>(office->endedThreads.begin(), office->endedThreads.end()),
      std::set<std::thread::id>(office->startedThreads.begin(), office->startedThreads.end()));
  const std::set<std::thread::id> started(office->startedThreads.begin(),
                                          office->startedThreads.end());
  EXPECT_EQ(office->madeThreads, started);
  EXPECT_EQ(office->callThreads, started);
  EXPECT_EQ(started.count(std::this_thread::get_id()), 0u);
}

INSTANTIATE_TEST_SUITE_P(In, HangingCall, ::testing::Values("TypeText", "ReleaseDocuments"));

// The wait hook gets the calling thread back in small steps for as long as a call hangs, and
// the call still ends at its limit.
TEST(BoundedAutomation, TheWaitHookRunsOnTheCallingThreadInStepsUntilTheLimit) {
  const auto office = std::make_shared<StoppedOffice>();
  office->hangIn = "TypeText";
  std::set<std::thread::id> waitThreads;
  int steps = 0;
  const std::unique_ptr<BoundedAutomation> bounded =
      Bounded(office, [&](const BoundedAutomation::Settled& settled) {
        waitThreads.insert(std::this_thread::get_id());
        while (!settled(10ms)) ++steps;
      });
  ASSERT_TRUE(bounded->CreateApplication());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(bounded->TypeText("x"));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, kLimit);
  EXPECT_LT(took, kLimit + 1s);
  EXPECT_EQ(waitThreads, std::set<std::thread::id>{std::this_thread::get_id()});
  EXPECT_GE(steps, static_cast<int>(kLimit / 10ms) / 2) << "the hook waited in one piece";
  office->Release();
}

// Closing the program: the exit step and the destruction never wait on an office that hangs,
// whether a call was abandoned mid-run or the exit step itself hangs.
class ClosingWithAStoppedOffice : public ::testing::TestWithParam<std::string> {};

TEST_P(ClosingWithAStoppedOffice, TakesNoLongerThanTheLimit) {
  const auto office = std::make_shared<StoppedOffice>();
  office->hangIn = GetParam();
  std::unique_ptr<BoundedAutomation> bounded = Bounded(office);
  ASSERT_TRUE(bounded->CreateApplication());
  EXPECT_FALSE(bounded->TypeText("x")) << "hung, or no document";

  const auto start = std::chrono::steady_clock::now();
  std::future<void> closed = std::async(std::launch::async, [&bounded] {
    bounded->ReleaseAll();
    bounded.reset();
  });
  const bool closedInTime = closed.wait_for(kLimit + 1s) == std::future_status::ready;
  office->Release();
  closed.wait();
  EXPECT_TRUE(closedInTime) << "closing waited on the stopped office";
  EXPECT_LT(std::chrono::steady_clock::now() - start, kLimit + 1s);
  EXPECT_TRUE(office->AllDestroyed());
}

INSTANTIATE_TEST_SUITE_P(HangingIn, ClosingWithAStoppedOffice,
                         ::testing::Values("TypeText", "ReleaseAll"));

}  // namespace
}  // namespace kalkora
