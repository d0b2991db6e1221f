// A whole run of any kind and size over arbitrary range and places texts, with the simulated
// word processor. Refused settings must give the refusal of the checks' table and make no
// document; other settings must make a sheet that keeps every sheet's invariants, with the
// operand bounds read from the range texts by the fuzzers' own number reading.
#include <string>
#include <vector>

#include "core/app/generate_command.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/sheet_loop.hpp"
#include "failure.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "fakes/sheet_invariants.hpp"
#include "fakes/simulated_word_processor.hpp"
#include "fuzz_input.hpp"
#include "number_oracle.hpp"
#include "refusal_oracle.hpp"

using namespace kalkora;

namespace {

std::string Described(const testing::CheckedSettings& settings) {
  return std::string(KindInfo(settings.kind).box) + ", " + std::to_string(settings.sheetSize) +
         " problems, from " + fuzzing::Quoted(settings.from) + " to " +
         fuzzing::Quoted(settings.to) + ", decimals " + (settings.decimalsOn ? "on" : "off") +
         " with places " + fuzzing::Quoted(settings.places) + ": ";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput input(data, size);
  testing::CheckedSettings settings;
  settings.kind = static_cast<ExerciseKind>(input.Byte() % kKindCount);
  settings.sheetSize = 18 + 6 * (input.Byte() % 3);
  settings.decimalsOn = input.Byte() % 2 == 1;
  std::uint32_t tick = 0;
  for (int i = 0; i < 4; ++i) tick = tick << 8 | input.Byte();
  settings.from = input.Text();
  settings.to = input.Text();
  settings.places = input.Text();
  settings.bounds = {fuzzing::BoundOf(fuzzing::ReadNumber(settings.from)),
                     fuzzing::BoundOf(fuzzing::ReadNumber(settings.to))};

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

  fuzzing::FormState form;
  form.kinds.set(static_cast<std::size_t>(settings.kind));
  form.decimalsOn = settings.decimalsOn;
  form.thirtyProblems = settings.sheetSize == 30;
  form.places = settings.places;
  const fuzzing::ExpectedRefusal expected = fuzzing::RefusalFor(form);
  if (expected.message) {
    if (messages.shown != std::vector{*expected.message} || !office.documents.empty()) {
      fuzzing::Fail(Described(settings) + "not refused by check " + std::to_string(expected.check) +
                    " alone");
    }
    return 0;
  }
  if (!messages.shown.empty()) {
    fuzzing::Fail(Described(settings) + "unexpected message \"" + messages.shown[0].text + "\"");
  }
  if (office.documents.size() != 1) fuzzing::Fail(Described(settings) + "no single document");

  const testing::SimDocument& document = office.documents[0];
  std::vector<std::string> texts;
  const int columns = ColumnsPerRow(settings.sheetSize);
  for (int p = 1; p <= settings.sheetSize; ++p) {
    texts.push_back(document.CellText(2 * ((p - 1) / columns) + 1, (p - 1) % columns + 1));
  }
  const std::string violation = testing::CheckSheet(settings, texts);
  if (!violation.empty()) fuzzing::Fail(Described(settings) + violation);
  return 0;
}
