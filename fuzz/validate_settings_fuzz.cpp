// ValidateSettings over arbitrary texts and control states: it never fails to answer, and
// whatever it accepts has a kind, a places value within 1..5 (or negative) and no decimals
// on the chained kinds or fractions.
#include <cmath>
#include <cstdlib>

#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
#include "fakes/memory_controls.hpp"
#include "fuzz_input.hpp"
#include "core/generate/number_text.hpp"
#include "core/generate/validate_settings.hpp"

using namespace kalkora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput input(data, size);
  testing::MemoryControls controls;
  const std::uint16_t kinds = static_cast<std::uint16_t>(input.Byte() | input.Byte() << 8);
  for (int i = 0; i < kKindCount; ++i) controls.WriteState(kExerciseKinds[i].box, kinds >> i & 1);
  const std::uint8_t radios = input.Byte();
  controls.ClearGroup(form::单选框1);
  if (radios & 1) controls.Select(form::单选框1);
  if (radios & 2) controls.Select(form::单选框2);
  if (radios & 4) controls.Select(form::单选框3);
  if (radios & 8) controls.Select(form::单选框5);
  const std::string places = input.Text();
  controls.WriteText(form::编辑框3, places);

  if (!ValidateSettings(controls)) {
    const double x = ToNumber(places);
    const bool decimals = controls.ReadState(form::单选框5) == 1;
    if (!FirstTickedKind(controls) || x - 5 > 1e-07 || std::fabs(x) <= 1e-07) std::abort();
    if (decimals && (places.empty() || IsTicked(controls, form::选择框8) ||
                     IsTicked(controls, form::选择框9) || IsTicked(controls, form::选择框10))) {
      std::abort();
    }
  }
  return 0;
}
