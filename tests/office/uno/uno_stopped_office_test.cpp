// An office that stops answering (its process stopped with SIGSTOP): the time limit ends the run
// with one message within the limit; until the office answers the call that was given up on,
// a click says so at once; once it answers, the cut-off sheet is unlocked over the same
// connection, and the next run works, whether the office runs again (SIGCONT) or was killed
// (SIGKILL); a program whose office is stopped still ends at once. The program has an office of its
// own, so that what is done to it here reaches no other test.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <optional>
#include <thread>

#include "core/base/form_names.hpp"
#include "core/word/bounded_automation.hpp"
#include "core/word/office_messages.hpp"
#include "office/uno/office_connection.hpp"
#include "office/uno/office_test_support.hpp"
#include "system/posix/libreoffice_locator.hpp"

extern char** environ;

namespace kalkora::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The time limit of the runs that meet the stopped office: short, not the window's 30 s.
constexpr std::chrono::milliseconds kCallLimit = 1s;
// How long one step may take on a loaded machine before the test gives up on it.
constexpr std::chrono::seconds kPatience = 60s;
// An 18-problem run makes 83 calls; the office is stopped just before call 20, among the
// problems, after the document was added and the heading typed.
constexpr int kStopAtCall = 20;

struct TimedRun {
  std::vector<UserMessage> shown;
  Clock::duration took{};       // click to message
  Clock::duration sinceStop{};  // from the moment the office stopped answering to the message
};

TimedRun RunSheet(WordAutomation& automation) {
  SheetRun run(form::选择框1, form::单选框1);
  posix::LibreOfficeLocator locator;
  const auto start = Clock::now();
  run.Run(automation, locator, SharedOffice().Store());
  return {run.messages.shown, Clock::now() - start};
}

// A run as the window makes it: every call under a time limit, here one a loaded machine meets.
std::vector<UserMessage> RunSheetPatiently() {
  BoundedAutomation bounded(SharedOffice().Connections(), kPatience);
  return RunSheet(bounded).shown;
}

// The last problem and the date are there.
bool IsFinishedSheet(const SheetContent& sheet) {
  return sheet.cells.size() == 12 && sheet.cells[10][2].ends_with(" =") &&
         sheet.afterTable.size() == 1 && !sheet.afterTable[0].empty();
}

struct Documents {
  std::size_t open = 0;
  std::size_t finished = 0;
  std::size_t locked = 0;
};

Documents CountDocuments() {
  Documents documents;
  for (const SheetContent& sheet : DocumentReader(SharedOffice().Options().pipeName).ReadAll()) {
    ++documents.open;
    if (IsFinishedSheet(sheet)) ++documents.finished;
    if (sheet.controllersLocked) ++documents.locked;
  }
  return documents;
}

// The state letter of /proc/<pid>/stat: T stopped, Z a zombie; none once the process is gone.
std::optional<char> ProcessState(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return std::nullopt;
  const std::size_t name = line.rfind(')');
  if (name == std::string::npos || name + 2 >= line.size()) return std::nullopt;
  return line[name + 2];
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

// The window's automation, whose office is stopped before call `at` of its first connection,
// under `limit`. That connection is made beforehand, as a loaded machine may take longer than
// the limit to connect.
struct StoppingAutomation {
  StoppingAutomation(pid_t office, int at, std::chrono::milliseconds limit)
      : stoppedAt(std::make_shared<std::atomic<Clock::rep>>()) {
    auto connection =
        std::make_shared<std::unique_ptr<WordAutomation>>(SharedOffice().Connections()());
    EXPECT_TRUE((*connection)->CreateApplication());
    bounded = std::make_unique<BoundedAutomation>(
        [connection, office, at, stopped = stoppedAt]() -> std::unique_ptr<WordAutomation> {
          if (!*connection) return SharedOffice().Connections()();
          return std::make_unique<InterruptingAutomation>(
              std::move(*connection), at, [office, stopped] {
                ::kill(office, SIGSTOP);
                *stopped = Clock::now().time_since_epoch().count();
              });
        },
        limit);
  }
  // The first run, into the office that is stopped on the way.
  TimedRun RunIntoTheStop() {
    TimedRun run = RunSheet(*bounded);
    EXPECT_NE(stoppedAt->load(), 0) << "the run ended before the office was stopped";
    run.sinceStop = Clock::now() - Clock::time_point(Clock::duration(stoppedAt->load()));
    return run;
  }

  std::shared_ptr<std::atomic<Clock::rep>> stoppedAt;
  std::unique_ptr<BoundedAutomation> bounded;
};

// A generate run whose office is stopped before call `at`, under the short time limit. The
// worker that met the stopped office is let go with its connection.
TimedRun RunSheetIntoAStoppedOffice(pid_t office, int at = kStopAtCall) {
  return StoppingAutomation(office, at, kCallLimit).RunIntoTheStop();
}

// Polls until no document of ours has its views locked; the counts then, or the last ones.
std::optional<Documents> DocumentsOnceNoneIsLocked() {
  std::optional<Documents> documents;
  const auto deadline = Clock::now() + kPatience;
  while (Clock::now() < deadline) {
    try {
      documents = CountDocuments();
      if (documents->locked == 0) break;
    } catch (const std::runtime_error&) {
    } catch (const css::uno::Exception&) {
    }
    std::this_thread::sleep_for(100ms);
  }
  return documents;
}

// Polls until the office answers a connection again and reads its documents then.
std::optional<Documents> DocumentsOnceTheOfficeAnswers() {
  const auto deadline = Clock::now() + kPatience;
  while (Clock::now() < deadline) {
    try {
      return CountDocuments();
    } catch (const std::runtime_error&) {
    } catch (const css::uno::Exception&) {
    }
    std::this_thread::sleep_for(100ms);
  }
  return std::nullopt;
}

// What generate_then_exit printed, and when it printed "ended" and when it exited.
struct ChildRun {
  std::vector<std::string> lines;
  std::optional<Clock::duration> untilEnded;
  std::optional<Clock::duration> endedToExit;
  int status = -1;
};

ChildRun RunGenerateThenExit(const std::vector<std::string>& arguments) {
  ChildRun run;
  int out[2];
  if (::pipe(out) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::vector<std::string> texts = arguments;
  texts.insert(texts.begin(), KALKORA_GENERATE_THEN_EXIT);
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const auto start = Clock::now();
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  if (spawned != 0) {
    ::close(out[0]);
    return run;
  }
  std::string pending;
  std::optional<Clock::time_point> ended;
  const auto deadline = start + kPatience;
  for (pollfd readable{out[0], POLLIN, 0}; Clock::now() < deadline;) {
    if (::poll(&readable, 1, 100) <= 0) continue;
    char bytes[256];
    const ssize_t count = ::read(out[0], bytes, sizeof bytes);
    if (count <= 0) break;
    pending.append(bytes, static_cast<std::size_t>(count));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
      run.lines.push_back(pending.substr(0, end));
      pending.erase(0, end + 1);
      if (run.lines.back() == "ended") ended = Clock::now();
    }
  }
  ::close(out[0]);
  while (::waitpid(child, &run.status, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &run.status, 0);
      return run;
    }
    std::this_thread::sleep_for(10ms);
  }
  if (ended) {
    run.untilEnded = *ended - start;
    run.endedToExit = Clock::now() - *ended;
  }
  return run;
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

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
    bridgesBefore_ = OpenBridges();
    TimedRun run;
    const bool ended = FinishesWithin(
        kPatience, [&] { run = RunSheetIntoAStoppedOffice(pid_); },
        [this] { ::kill(pid_, SIGKILL); });
    EXPECT_TRUE(ended) << "the run hung on the stopped office";
    if (!ended) return false;
    EXPECT_EQ(run.shown, std::vector<UserMessage>{OfficeMessage(kWordStoppedMidRun)});
    EXPECT_LT(run.sinceStop, kCallLimit + 1s) << "stop to message " << Seconds(run.sinceStop);
    std::printf(
        "stopped office mid-run: stop to message %.2f s, click to message %.2f s (limit "
        "%.1f s)\n",
        Seconds(run.sinceStop), Seconds(run.took), Seconds(kCallLimit));
    EXPECT_EQ(ProcessState(pid_), 'T') << "the run was not ended by the time limit";
    return true;
  }

  pid_t pid_ = 0;
  int bridgesBefore_ = 0;
};

TEST_F(StoppedOffice, EndsTheRunAndTheNextRunReachesTheSameOfficeOnceItRunsAgain) {
  ASSERT_TRUE(StopItMidRun());
  ::kill(pid_, SIGCONT);

  std::optional<Documents> before;
  ASSERT_TRUE(FinishesWithin(
      kPatience + 30s, [&] { before = DocumentsOnceTheOfficeAnswers(); },
      [this] { ::kill(pid_, SIGKILL); }));
  ASSERT_TRUE(before) << "the office did not answer again within " << kPatience.count() << " s";
  // Over the connection that was given up on, with no click needed.
  const std::optional<Documents> unlocked = DocumentsOnceNoneIsLocked();
  ASSERT_TRUE(unlocked);
  EXPECT_EQ(unlocked->locked, 0u) << "the cut-off sheet stays locked";
  const auto deadline = Clock::now() + 10s;
  while (OpenBridges() > bridgesBefore_ && Clock::now() < deadline) {
    std::this_thread::sleep_for(50ms);
  }
  EXPECT_LE(OpenBridges(), bridgesBefore_) << "the connection given up on was kept";

  EXPECT_TRUE(RunSheetPatiently().empty());
  EXPECT_EQ(SharedOffice().Automation().StartedOfficePid(), pid_) << "not the same office";
  const Documents after = CountDocuments();
  EXPECT_EQ(after.open, before->open + 1);
  EXPECT_EQ(after.finished, before->finished + 1);
  EXPECT_EQ(after.locked, 0u) << "a document of ours stays locked";
}

TEST_F(StoppedOffice, EndsTheRunAndTheNextRunStartsANewOfficeOnceItWasKilled) {
  ASSERT_TRUE(StopItMidRun());
  ::kill(pid_, SIGKILL);
  // Reaped as it dies, with no run or connection attempt to notice it.
  const auto deadline = Clock::now() + 2s;
  while (ProcessState(pid_) && Clock::now() < deadline) std::this_thread::sleep_for(20ms);
  EXPECT_EQ(ProcessState(pid_), std::nullopt) << "the killed office lingers as a zombie";

  EXPECT_TRUE(RunSheetPatiently().empty());
  const std::optional<pid_t> started = SharedOffice().Automation().StartedOfficePid();
  ASSERT_TRUE(started) << "no office was started";
  EXPECT_NE(*started, pid_);
  const Documents documents = CountDocuments();
  EXPECT_EQ(documents.open, 1u);
  EXPECT_EQ(documents.finished, 1u);
}

// A click once the office was stopped: the connection attempt itself waits on it, and the run
// still ends within the limit, with no second wait.
TEST_F(StoppedOffice, AClickEndsWithinTheLimitWhenConnectingWaits) {
  ::kill(pid_, SIGSTOP);
  TimedRun run;
  BoundedAutomation bounded(SharedOffice().Connections(), kCallLimit);
  const bool ended = FinishesWithin(
      kPatience, [&] { run = RunSheet(bounded); }, [this] { ::kill(pid_, SIGKILL); });
  ::kill(pid_, SIGCONT);
  ASSERT_TRUE(ended);
  EXPECT_EQ(run.shown, std::vector<UserMessage>{OfficeMessage(kWordNotStarted)});
  EXPECT_LT(run.took, kCallLimit + 1s) << "click to message " << Seconds(run.took) << " s";
  std::printf("stopped office, connecting: click to message %.2f s (limit %.1f s)\n",
              Seconds(run.took), Seconds(kCallLimit));
  EXPECT_EQ(SharedOffice().Automation().StartedOfficePid(), pid_) << "a second office started";
  EXPECT_TRUE(RunSheetPatiently().empty()) << "the next click does not work";
}

// A second click while the office is still stopped ends at once, saying that the office does
// not answer, instead of waiting the whole limit again; once the office runs again the cut-off
// sheet is unlocked and the next click works.
TEST_F(StoppedOffice, AClickWhileTheCallGivenUpOnWaitsEndsAtOnce) {
  constexpr std::chrono::milliseconds kLimit = 3s;
  StoppingAutomation automation(pid_, kStopAtCall, kLimit);
  TimedRun first;
  TimedRun second;
  const bool ended = FinishesWithin(
      kPatience,
      [&] {
        first = automation.RunIntoTheStop();
        second = RunSheet(*automation.bounded);
      },
      [this] { ::kill(pid_, SIGKILL); });
  ::kill(pid_, SIGCONT);
  ASSERT_TRUE(ended);
  EXPECT_EQ(first.shown, std::vector<UserMessage>{OfficeMessage(kWordStoppedMidRun)});
  EXPECT_EQ(second.shown, std::vector<UserMessage>{OfficeMessage(kWordNotAnswering)});
  EXPECT_LT(second.took, 500ms) << "click to message " << Seconds(second.took) << " s";
  std::printf("stopped office, second click: click to message %.3f s (limit %.1f s)\n",
              Seconds(second.took), Seconds(kLimit));

  const std::optional<Documents> unlocked = DocumentsOnceNoneIsLocked();
  ASSERT_TRUE(unlocked);
  EXPECT_EQ(unlocked->locked, 0u) << "the cut-off sheet stays locked";
  std::vector<UserMessage> next;
  for (const auto deadline = Clock::now() + kPatience; Clock::now() < deadline;) {
    next = RunSheet(*automation.bounded).shown;
    if (next != std::vector<UserMessage>{OfficeMessage(kWordNotAnswering)}) break;
    std::this_thread::sleep_for(100ms);
  }
  EXPECT_TRUE(next.empty()) << "the click after the office answered again does not work";
}

// The office stopped inside the closing pause, after the date was typed and before the sheet
// is let go: the run says so, and once the office runs again no sheet stays locked.
TEST_F(StoppedOffice, AStopAsTheSheetIsLetGoIsReportedAndLeavesNoSheetLocked) {
  TimedRun run;
  const bool ended = FinishesWithin(
      kPatience,
      [&] { run = RunSheetIntoAStoppedOffice(pid_, InterruptingAutomation::kAtRelease); },
      [this] { ::kill(pid_, SIGKILL); });
  ::kill(pid_, SIGCONT);
  ASSERT_TRUE(ended);
  EXPECT_EQ(run.shown, std::vector<UserMessage>{OfficeMessage(kWordStoppedMidRun)});
  std::printf("stopped office in the closing pause: stop to message %.2f s (limit %.1f s)\n",
              Seconds(run.sinceStop), Seconds(kCallLimit));
  const std::optional<Documents> unlocked = DocumentsOnceNoneIsLocked();
  ASSERT_TRUE(unlocked);
  EXPECT_EQ(unlocked->locked, 0u) << "the finished sheet stays locked";
}

// A sheet left locked by a program that has ended (nothing of it remembers the sheet): the
// next run unlocks it.
TEST_F(StoppedOffice, TheNextRunUnlocksASheetThatAnEndedProgramLeftLocked) {
  DocumentReader(SharedOffice().Options().pipeName).LockAll();
  ASSERT_GE(CountDocuments().locked, 1u);
  EXPECT_TRUE(RunSheetPatiently().empty());
  EXPECT_EQ(CountDocuments().locked, 0u);
}

// The program of the window, in small: a run into the stopped office, then the close request;
// the process is gone within 2 s of it, and started no office on the way.
TEST_F(StoppedOffice, TheProgramEndsWithinTwoSecondsOfTheCloseRequest) {
  ::kill(pid_, SIGSTOP);
  const uno::UnoOfficeOptions options = SharedOffice().Options();
  const std::string templates = SharedOffice().Folder() + "/child-cache";
  const ChildRun run = RunGenerateThenExit(
      {options.pipeName, options.profileUrl, templates, std::to_string(kCallLimit.count())});
  ::kill(pid_, SIGCONT);
  EXPECT_EQ(run.lines, (std::vector<std::string>{std::string(kWordNotStarted), "ended",
                                                 "office started: no"}));
  ASSERT_TRUE(run.untilEnded && run.endedToExit) << "the program did not end";
  EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) << run.status;
  EXPECT_LT(*run.endedToExit, 2s);
  std::printf("stopped office: run %.2f s, close request to process exit %.3f s\n",
              Seconds(*run.untilEnded), Seconds(*run.endedToExit));
}

}  // namespace
}  // namespace kalkora::testing
