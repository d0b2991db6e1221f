// A whole sheet of any kind and size over arbitrary range and places texts, made with the
// simulated word processor; the invariants every sheet keeps are checked on its texts.
#include <cstdio>
#include <cstdlib>

#include "core/base/form_names.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "fakes/sheet_invariants.hpp"
#include "fakes/simulated_word_processor.hpp"
#include "fuzz_input.hpp"
#include "core/app/generate_command.hpp"
#include "core/generate/sheet_loop.hpp"

using namespace kalkora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput input(data, size);
  testing::SheetSettings settings;
  settings.kind = static_cast<ExerciseKind>(input.Byte() % kKindCount);
  settings.sheetSize = 18 + 6 * (input.Byte() % 3);
  settings.decimalsOn = input.Byte() % 2 == 1;
  std::uint32_t tick = 0;
  for (int i = 0; i < 4; ++i) tick = tick << 8 | input.Byte();
  settings.from = input.Text();
  settings.to = input.Text();
  settings.places = input.Text();

  testing::MemoryControls controls;
  controls.ChooseKind(KindInfo(settings.kind).box);
  controls.Select(settings.sheetSize == 18   ? form::单选框1
                  : settings.sheetSize == 24 ? form::单选框2
                                             : form::单选框3);
  if (settings.decimalsOn) controls.Select(form::单选框5);
  controls.WriteText(form::编辑框1, settings.from);
  controls.WriteText(form::编辑框2, settings.to);
  controls.WriteText(form::编辑框3, settings.places);

  testing::FakeClock clock;
  clock.tick = tick;
  ProgramState state;
  testing::SimulatedWordProcessor office;
  testing::RecordingMessageBox messages;
  testing::FixedOfficeLocator locator("/usr/lib/libreoffice/program/");
  testing::FakeTemplateStore store;
  RunGenerateCommand({controls, state, clock, messages, {office, locator, store}});
  if (!messages.shown.empty()) return 0;  // refused settings make no sheet

  const testing::SimDocument& document = office.documents.at(0);
  std::vector<std::string> texts;
  const int columns = ColumnsPerRow(settings.sheetSize);
  for (int p = 1; p <= settings.sheetSize; ++p) {
    texts.push_back(document.CellText(2 * ((p - 1) / columns) + 1, (p - 1) % columns + 1));
  }
  const std::string violation = testing::CheckSheet(settings, texts);
  if (!violation.empty()) {
    std::fprintf(stderr, "%s\n", violation.c_str());
    std::abort();
  }
  return 0;
}
