// An office that stops answering in the middle of a run (its process stopped with SIGSTOP): the
// time limit ends the run with one message and drops the connection, and the next run works,
// whether the office runs again (SIGCONT) or was killed (SIGKILL). The program has an office of
// its own, so that what is done to it here reaches no other test.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <fstream>
#include <functional>
#include <future>
#include <optional>
#include <thread>

#include "core/base/form_names.hpp"
#include "office/uno/office_test_support.hpp"
#include "core/word/bounded_automation.hpp"
#include "core/word/office_messages.hpp"
#include "system/posix/libreoffice_locator.hpp"
#include "office/uno/office_connection.hpp"

namespace kalkora::testing {
namespace {

using namespace std::chrono_literals;

// The time limit of the run that meets the stopped office: short, not the window's 30 s.
constexpr std::chrono::milliseconds kCallLimit = 3s;
// How long one step may take on a loaded machine before the test gives up on it.
constexpr std::chrono::seconds kPatience = 60s;
// An 18-problem run makes 83 calls; the office is stopped just before call 20, among the
// problems, after the document was added and the heading typed.
constexpr int kStopAtCall = 20;

std::vector<UserMessage> RunSheet(WordAutomation& automation) {
  SheetRun run(form::选择框1, form::单选框1);
  posix::LibreOfficeLocator locator;
  run.Run(automation, locator, SharedOffice().Store());
  return run.messages.shown;
}

// A run as the window makes it: every call under a time limit, here one a loaded machine meets.
std::vector<UserMessage> RunSheetPatiently() {
  BoundedAutomation bounded(SharedOffice().Automation(), kPatience);
  return RunSheet(bounded);
}

// The last problem and the date are there.
bool IsFinishedSheet(const SheetContent& sheet) {
  return sheet.cells.size() == 12 && sheet.cells[10][2].ends_with(" =") &&
         sheet.afterTable.size() == 1 && !sheet.afterTable[0].empty();
}

struct Documents {
  std::size_t open = 0;
  std::size_t finished = 0;
};

Documents CountDocuments() {
  Documents documents;
  for (const SheetContent& sheet : DocumentReader(SharedOffice().Options().pipeName).ReadAll()) {
    ++documents.open;
    if (IsFinishedSheet(sheet)) ++documents.finished;
  }
  return documents;
}

// Stopped by a signal: state T in /proc/<pid>/stat.
bool IsStopped(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const std::size_t name = line.rfind(')');
  return name != std::string::npos && name + 2 < line.size() && line[name + 2] == 'T';
}

// This process's connections to offices that are still open.
int OpenBridges() {
  return css::bridge::BridgeFactory::create(uno::LocalContext())->getExistingBridges().getLength();
}

// Runs `work` on a thread of its own and waits at most `limit` for it. Work that is still
// running then is stuck on the office: `unstick` (killing the office) makes it return, and the
// answer is false, so that the test fails instead of hanging.
bool FinishesWithin(std::chrono::seconds limit, const std::function<void()>& work,
                    const std::function<void()>& unstick) {
  std::future<void> done = std::async(std::launch::async, work);
  if (done.wait_for(limit) == std::future_status::ready) return true;
  unstick();
  done.wait();
  return false;
}

// A generate run whose office is stopped before call kStopAtCall, under the short time limit.
// The limit abandons the run; by the time this returns, the time limit's worker has finished
// with the office's automation, so the next run has it to itself.
std::vector<UserMessage> RunSheetIntoAStoppedOffice(pid_t office) {
  InterruptingAutomation stopping(SharedOffice(), kStopAtCall,
                                  [office] { ::kill(office, SIGSTOP); });
  BoundedAutomation bounded(stopping, kCallLimit);
  return RunSheet(bounded);
}

// Polls until the office answers a connection again and reads its documents then.
std::optional<Documents> DocumentsOnceTheOfficeAnswers() {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (std::chrono::steady_clock::now() < deadline) {
    try {
      return CountDocuments();
    } catch (const std::runtime_error&) {
    } catch (const css::uno::Exception&) {
    }
    std::this_thread::sleep_for(100ms);
  }
  return std::nullopt;
}

class StoppedOffice : public ::testing::Test {
 protected:
  // A finished run on the program's office, starting a new one when an earlier test left none.
  // It also loads Writer, which on a fresh office can take longer than the short time limit.
  void SetUp() override {
    ASSERT_TRUE(RunSheetPatiently().empty()) << "the office does not work to begin with";
    const std::optional<pid_t> started = SharedOffice().Automation().StartedOfficePid();
    ASSERT_TRUE(started) << "the office in use is not the test's own";
    pid_ = *started;
  }

  // Stops the office in the middle of a run and checks how that run ends. True when the run
  // ended, with the office left stopped.
  bool StopItMidRun() {
    std::vector<UserMessage> shown;
    const bool ended = FinishesWithin(
        kPatience, [&] { shown = RunSheetIntoAStoppedOffice(pid_); },
        [this] { ::kill(pid_, SIGKILL); });
    EXPECT_TRUE(ended) << "the run hung on the stopped office";
    if (!ended) return false;
    EXPECT_EQ(shown, std::vector<UserMessage>{OfficeMessage(kWordStoppedMidRun)});
    EXPECT_TRUE(IsStopped(pid_)) << "the run was not ended by the time limit";
    EXPECT_EQ(OpenBridges(), 0) << "the connection to the stopped office was kept";
    return true;
  }

  pid_t pid_ = 0;
};

TEST_F(StoppedOffice, EndsTheRunAndTheNextRunReachesTheSameOfficeOnceItRunsAgain) {
  ASSERT_TRUE(StopItMidRun());
  ::kill(pid_, SIGCONT);

  std::optional<Documents> before;
  ASSERT_TRUE(FinishesWithin(
      kPatience + 30s, [&] { before = DocumentsOnceTheOfficeAnswers(); },
      [this] { ::kill(pid_, SIGKILL); }));
  ASSERT_TRUE(before) << "the office did not answer again within " << kPatience.count() << " s";

  EXPECT_TRUE(RunSheetPatiently().empty());
  EXPECT_EQ(SharedOffice().Automation().StartedOfficePid(), pid_) << "not the same office";
  const Documents after = CountDocuments();
  EXPECT_EQ(after.open, before->open + 1);
  EXPECT_EQ(after.finished, before->finished + 1);
}

TEST_F(StoppedOffice, EndsTheRunAndTheNextRunStartsANewOfficeOnceItWasKilled) {
  ASSERT_TRUE(StopItMidRun());
  SharedOffice().Kill();

  EXPECT_TRUE(RunSheetPatiently().empty());
  const std::optional<pid_t> started = SharedOffice().Automation().StartedOfficePid();
  ASSERT_TRUE(started) << "no office was started";
  EXPECT_NE(*started, pid_);
  const Documents documents = CountDocuments();
  EXPECT_EQ(documents.open, 1u);
  EXPECT_EQ(documents.finished, 1u);
}

}  // namespace
}  // namespace kalkora::testing
