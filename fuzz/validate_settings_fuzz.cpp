// ValidateSettings over arbitrary kind boxes, radio buttons and places texts, against the
// table of the seven checks: the same refusal (text and caption) from the first check that
// fails, in the checks' order, and no refusal when none fails.
#include <array>
#include <string_view>

#include "core/base/form_names.hpp"
#include "core/generate/sheet_settings.hpp"
#include "core/generate/validate_settings.hpp"
#include "failure.hpp"
#include "fakes/memory_controls.hpp"
#include "fuzz_input.hpp"
#include "refusal_oracle.hpp"

using namespace kalkora;

namespace {

constexpr std::array<std::string_view, 10> kKindBoxes = {
    form::选择框1, form::选择框2, form::选择框3, form::选择框4, form::选择框5,
    form::选择框6, form::选择框7, form::选择框8, form::选择框9, form::选择框10};

std::string Shown(const std::optional<UserMessage>& message) {
  return message ? "\"" + message->text + "\" / \"" + message->caption + "\"" : "no refusal";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput input(data, size);
  fuzzing::FormState form;
  const unsigned lowKinds = input.Byte();
  form.kinds = std::bitset<10>(lowKinds | unsigned{input.Byte()} << 8);
  const std::uint8_t radios = input.Byte();
  form.places = input.Text();

  testing::MemoryControls controls;
  for (std::size_t i = 0; i < kKindBoxes.size(); ++i) {
    controls.WriteState(kKindBoxes[i], form.kinds[i] ? 1 : 0);
  }
  // Any of the sheet sizes or none; the last one selected wins, as in the window.
  controls.ClearGroup(form::单选框1);
  if (radios & 1) controls.Select(form::单选框1);
  if (radios & 2) controls.Select(form::单选框2);
  if (radios & 4) controls.Select(form::单选框3);
  form.thirtyProblems = (radios & 4) != 0;
  if (radios & 8) controls.Select(form::单选框5);
  form.decimalsOn = (radios & 8) != 0;
  controls.WriteText(form::编辑框3, form.places);

  const std::optional<UserMessage> refusal = ValidateSettings(ReadSheetSettings(controls));
  const fuzzing::ExpectedRefusal expected = fuzzing::RefusalFor(form);
  if (refusal != expected.message) {
    fuzzing::Fail("kinds " + form.kinds.to_string() + ", radios " + std::to_string(radios) +
                  ", places " + fuzzing::Quoted(form.places) + ": " + Shown(refusal) +
                  ", expected check " + std::to_string(expected.check) + ": " +
                  Shown(expected.message));
  }
  return 0;
}
