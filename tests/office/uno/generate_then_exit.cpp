// One sheet made the way the window makes it, every office call under the time limit given,
// and then the program ends the way the window's does: the exit step, then main returns. It
// prints the messages of the run, then "ended" (the moment the window would be asked to
// close), then whether an office of ours runs. A test times how long the ending takes.
//
//   generate_then_exit PIPE PROFILE_URL TEMPLATE_FOLDER LIMIT_MS
#include <cstdio>
#include <memory>
#include <string>

#include "core/app/generate_command.hpp"
#include "core/base/form_names.hpp"
#include "core/word/bounded_automation.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "office/uno/uno_word_processor.hpp"
#include "system/posix/libreoffice_locator.hpp"
#include "system/posix/private_template_store.hpp"

int main(int argc, char** argv) {
  using namespace kalkora;
  if (argc != 5) return 2;
  uno::UnoOfficeOptions options;
  options.pipeName = argv[1];
  options.profileUrl = argv[2];
  options.headless = true;
  options.templateFolder = argv[3];
  const auto session = std::make_shared<uno::OfficeSession>(options);
  BoundedAutomation automation(
      [session] { return std::make_unique<uno::UnoWordProcessor>(session); },
      std::chrono::milliseconds(std::stoi(argv[4])));
  posix::PrivateTemplateStore store(argv[3]);
  posix::LibreOfficeLocator locator;

  testing::MemoryControls controls;
  controls.ChooseKind(form::选择框1);
  controls.Select(form::单选框1);
  testing::FakeClock clock;
  ProgramState state = CreateProgramState();
  testing::RecordingMessageBox messages;
  OnWindowCreated(state, clock);
  RunGenerateCommand({controls, state, clock, messages, automation, locator, store});
  for (const UserMessage& message : messages.shown) std::printf("%s\n", message.text.c_str());
  std::printf("ended\n");
  std::fflush(stdout);

  automation.ReleaseAll();
  std::printf("office started: %s\n", session->RunningPid() ? "yes" : "no");
  std::fflush(stdout);
  return 0;
}
