// Prints how long the LibreOffice edge takes: an office started from nothing to its first
// answer, whole generate runs with the office running (with and without the two 555 ms
// pauses), and one plain call over the pipe.
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <com/sun/star/frame/Desktop.hpp>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/app/generate_command.hpp"
#include "core/base/form_names.hpp"
#include "core/base/system_clock.hpp"
#include "core/generate/program_state.hpp"
#include "fakes/memory_controls.hpp"
#include "office/uno/office_connection.hpp"
#include "office/uno/uno_word_processor.hpp"
#include "system/posix/libreoffice_locator.hpp"
#include "system/posix/private_template_store.hpp"

namespace {

using Stopwatch = std::chrono::steady_clock;
using namespace kalkora;

constexpr double kPausesMs = 2 * 555.0;

double MsSince(Stopwatch::time_point start) {
  return std::chrono::duration<double, std::milli>(Stopwatch::now() - start).count();
}

class PrintingMessageBox : public MessageBox {
 public:
  void Show(const UserMessage& message) override {
    std::printf("  message: %s %s\n", message.caption.c_str(), message.text.c_str());
  }
};

// Passes calls on and adds up the time spent in each kind of operation.
class TimingAutomation : public WordAutomation {
 public:
  explicit TimingAutomation(WordAutomation& real) : real_(real) {}

  bool CreateApplication() override {
    return Time("connect", [&] { return real_.CreateApplication(); });
  }
  bool AttachDocuments() override {
    return Time("connect", [&] { return real_.AttachDocuments(); });
  }
  bool TakeDocumentsObject() override {
    return Time("connect", [&] { return real_.TakeDocumentsObject(); });
  }
  bool AddDocument(std::string_view path) override {
    return Time("add document", [&] { return real_.AddDocument(path); });
  }
  bool ShowApplication() override {
    return Time("show", [&] { return real_.ShowApplication(); });
  }
  bool MoveUp(std::int32_t u, std::int32_t c, std::int32_t e) override {
    return Time("moves", [&] { return real_.MoveUp(u, c, e); });
  }
  bool MoveDown(std::int32_t u, std::int32_t c, std::int32_t e) override {
    return Time("moves", [&] { return real_.MoveDown(u, c, e); });
  }
  bool MoveRight(std::int32_t u, std::int32_t c, std::int32_t e) override {
    return Time("moves", [&] { return real_.MoveRight(u, c, e); });
  }
  bool TypeText(std::string_view text) override {
    return Time("type text", [&] { return real_.TypeText(text); });
  }
  bool SetFontSize(float points) override {
    return Time("font size", [&] { return real_.SetFontSize(points); });
  }
  bool ReleaseDocuments() override {
    return Time("release", [&] { return real_.ReleaseDocuments(); });
  }
  void ReleaseAll() override { real_.ReleaseAll(); }
  void Abandon() override { real_.Abandon(); }

  void Print(int runs) const {
    for (const auto& [name, ms] : totals_)
      std::printf("  %-20s %8.2f ms per run\n", name.c_str(), ms / runs);
  }

 private:
  template <typename Call>
  bool Time(const std::string& name, Call call) {
    const Stopwatch::time_point start = Stopwatch::now();
    const bool result = call();
    totals_[name] += MsSince(start);
    return result;
  }

  WordAutomation& real_;
  std::map<std::string, double> totals_;
};

void Stop(uno::UnoWordProcessor& automation) {
  automation.ReleaseAll();
  if (const std::optional<pid_t> pid = automation.StartedOfficePid()) {
    ::kill(*pid, SIGTERM);
    ::waitpid(*pid, nullptr, 0);
  }
}

double ColdStart(const uno::UnoOfficeOptions& options) {
  uno::UnoWordProcessor automation(options);
  const Stopwatch::time_point start = Stopwatch::now();
  const bool connected = automation.CreateApplication();
  const double ms = MsSince(start);
  if (!connected) std::printf("  the office did not start\n");
  Stop(automation);
  return ms;
}

double WholeRun(WordAutomation& automation, TemplateStore& store, std::string_view radio) {
  testing::MemoryControls controls;
  controls.Select(radio);
  SystemClock clock;
  ProgramState state = CreateProgramState();
  OnWindowCreated(state, clock);
  PrintingMessageBox messages;
  posix::LibreOfficeLocator locator;
  const Stopwatch::time_point start = Stopwatch::now();
  RunGenerateCommand({controls, state, clock, messages, automation, locator, store});
  return MsSince(start);
}

void Report(const char* what, const std::vector<double>& ms, double less = 0) {
  double sum = 0;
  double best = ms.front();
  for (const double each : ms) {
    sum += each;
    best = std::min(best, each);
  }
  std::printf("%-44s mean %8.1f ms  best %8.1f ms\n", what,
              sum / static_cast<double>(ms.size()) - less, best - less);
}

}  // namespace

int main() {
  char pattern[] = "/tmp/kalkora-bench-XXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  const std::string folder = pattern;
  uno::UnoOfficeOptions options;
  options.pipeName = "kalkora-bench-" + std::to_string(::getpid());
  options.profileUrl = "file://" + folder + "/profile";
  options.headless = true;
  options.connectTimeout = std::chrono::seconds(60);

  std::printf("%-44s      %8.1f ms\n", "office start, new profile, to first answer",
              ColdStart(options));
  std::vector<double> warm;
  for (int i = 0; i < 3; ++i) warm.push_back(ColdStart(options));
  Report("office start, existing profile", warm);

  uno::UnoWordProcessor automation(options);
  posix::PrivateTemplateStore store(folder + "/cache");
  automation.CreateApplication();
  WholeRun(automation, store, form::单选框1);  // the first document loads the Writer code
  for (const auto& [size, radio] : {std::pair{18, form::单选框1}, std::pair{30, form::单选框3}}) {
    constexpr int kRuns = 5;
    std::vector<double> runs;
    TimingAutomation timing(automation);
    for (int i = 0; i < kRuns; ++i) runs.push_back(WholeRun(timing, store, radio));
    const std::string name = "whole run, " + std::to_string(size) + " problems";
    Report(name.c_str(), runs);
    Report((name + ", less the two pauses").c_str(), runs, kPausesMs);
    timing.Print(kRuns);
  }

  const auto context = uno::ConnectToPipe(options.pipeName);
  const auto desktop = css::frame::Desktop::create(context);
  constexpr int kCalls = 2000;
  const Stopwatch::time_point start = Stopwatch::now();
  for (int i = 0; i < kCalls; ++i) desktop->getCurrentFrame();
  std::printf("%-44s      %8.3f ms\n", "one UNO call (Desktop.getCurrentFrame)",
              MsSince(start) / kCalls);

  Stop(automation);
  std::filesystem::remove_all(folder);
  std::filesystem::remove("/tmp/OSL_PIPE_" + std::to_string(::getuid()) + "_" + options.pipeName);
  return 0;
}
