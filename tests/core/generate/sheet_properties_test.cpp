#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "core/base/form_names.hpp"
#include "core/generate/sheet_loop.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "fakes/sheet_invariants.hpp"

namespace kalkora {
namespace {

using namespace testing;

std::vector<std::string> MakeSheet(const CheckedSettings& settings, std::uint32_t firstTick) {
  MemoryControls controls;
  controls.ChooseKind(KindInfo(settings.kind).box);
  controls.WriteText(form::编辑框1, settings.from);
  controls.WriteText(form::编辑框2, settings.to);
  controls.WriteText(form::编辑框3, settings.places);
  if (settings.decimalsOn) controls.Select(form::单选框5);
  FakeClock clock;
  clock.tick = firstTick;
  ProgramState state;
  RecordingProblemWriter writer;
  RunSheetLoop(controls, state, clock, settings.sheetSize, writer);
  return writer.texts;
}

// Range texts with the bound each one reads as.
struct RangeText {
  const char* text;
  std::int32_t bound;
};
constexpr RangeText kRangeTexts[] = {{"0", 0},
                                     {"1", 1},
                                     {"5", 5},
                                     {"100", 100},
                                     {"-20", -20},
                                     {"2.9", 2},
                                     {"10.7", 10},
                                     {"", 0},
                                     {"abc", 0},
                                     {"１２", 12},
                                     {"100000", 100000},
                                     {"32768", 32768},
                                     {"1e9", 1000000000},
                                     {"-1e30", 0},
                                     {"4294967297", 1},
                                     {"2147483648", INT32_MIN},
                                     {"12abc", 12},
                                     {" 7", 7},
                                     {"0x1A", 0},
                                     {"inf", 0},
                                     {"99999", 99999}};

TEST(SheetProperties, HoldForThousandsOfRandomFormStates) {
  std::mt19937 random(20261208);
  const char* places[] = {"1", "2", "3", "4", "5", "02", "2.0", "", "-", "9"};
  for (int i = 0; i < 3000; ++i) {
    CheckedSettings settings;
    settings.kind = static_cast<ExerciseKind>(random() % kKindCount);
    settings.sheetSize = 18 + 6 * static_cast<int>(random() % 3);
    const RangeText& from = kRangeTexts[random() % std::size(kRangeTexts)];
    const RangeText& to = kRangeTexts[random() % std::size(kRangeTexts)];
    settings.from = from.text;
    settings.to = to.text;
    settings.bounds = {from.bound, to.bound};
    settings.decimalsOn = random() % 2 == 0;
    settings.places = places[random() % std::size(places)];
    const std::string violation = CheckSheet(
        settings, MakeSheet(settings, static_cast<std::uint32_t>(random() % 4294967296ULL)));
    ASSERT_EQ(violation, "") << KindInfo(settings.kind).box << " N=" << settings.sheetSize
                             << " from=\"" << settings.from << "\" to=\"" << settings.to
                             << "\" places=\"" << settings.places
                             << "\" on=" << settings.decimalsOn;
  }
}

}  // namespace
}  // namespace kalkora
