// Prints how long the core takes to produce the problem texts of a 30-problem sheet of each
// kind, with in-memory controls and a fake clock (no office involved).
#include <chrono>
#include <cstdio>

#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/sheet_loop.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"

int main() {
  using namespace kalkora;
  constexpr int kSheets = 2000;
  const char* names[kKindCount] = {"Addition",    "Subtraction", "Multiplication", "Division",
                                   "AddSubMixed", "MulDivMixed", "FourOpMixed",    "ChainAddition",
                                   "ChainAddSub", "Fraction"};
  std::printf("%-16s %14s\n", "kind", "us per sheet");
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    testing::MemoryControls controls;
    controls.ChooseKind(info.box);
    controls.Select(form::单选框3);
    testing::FakeClock clock;
    ProgramState state;
    std::size_t characters = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSheets; ++i) {
      testing::RecordingProblemWriter writer;
      RunSheetLoop(controls, state, clock, 30, writer);
      for (const std::string& text : writer.texts) characters += text.size();
    }
    const std::chrono::duration<double, std::micro> elapsed =
        std::chrono::steady_clock::now() - start;
    std::printf("%-16s %14.2f   (%zu bytes of text)\n", names[static_cast<int>(info.kind)],
                elapsed.count() / kSheets, characters / kSheets);
  }
}
