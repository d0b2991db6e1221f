#include <gtest/gtest.h>

#include <regex>

#include "core/base/form_names.hpp"
#include "core/generate/prepare_problem.hpp"
#include "core/generate/random_generator.hpp"
#include "core/generate/sheet_loop.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"

namespace kalkora {
namespace {

class PrepareProblemTest : public ::testing::Test {
 protected:
  // On the form for the sheet loop, and in the settings for a single preparation.
  void DecimalsOn(const char* places) {
    controls.Select(form::kDecimalsOn);
    controls.WriteText(form::kDecimalPlaces, places);
    settings = ReadSheetSettings(controls);
  }
  std::vector<std::string> Sheet(int size = 18) {
    testing::RecordingProblemWriter writer;
    RunSheetLoop(controls, state, clock, size, writer);
    return writer.texts;
  }

  testing::MemoryControls controls;
  SheetSettings settings;
  testing::FakeClock clock;
  ProgramState state;
  GenerationContext context{settings, state};
};

TEST_F(PrepareProblemTest, DecimalsOffClearsBothSuffixes) {
  state.DecimalSuffix1 = ".12";
  state.DecimalSuffix2 = ".34";
  PrepareProblem(context, clock, std::nullopt);
  EXPECT_EQ(state.DecimalSuffix1, "");
  EXPECT_EQ(state.DecimalSuffix2, "");
}

TEST_F(PrepareProblemTest, EachPlacesCountGivesExactlyThatManyDigitsNeverStartingWithZero) {
  const std::pair<const char*, std::regex> cases[] = {{"1", std::regex(R"(\.[1-9])")},
                                                      {"2", std::regex(R"(\.[1-9]\d)")},
                                                      {"3", std::regex(R"(\.[1-9]\d{2})")},
                                                      {"4", std::regex(R"(\.[1-9]\d{3})")},
                                                      {"5", std::regex(R"(\.[1-4]\d{4})")}};
  for (const auto& [places, shape] : cases) {
    DecimalsOn(places);
    for (std::uint32_t tick = 0; tick < 3000; ++tick) {
      clock.queuedTicks = {tick};
      PrepareProblem(context, clock, std::nullopt);
      ASSERT_TRUE(std::regex_match(state.DecimalSuffix1, shape)) << state.DecimalSuffix1;
      ASSERT_TRUE(std::regex_match(state.DecimalSuffix2, shape)) << state.DecimalSuffix2;
      if (places[0] == '5') {
        ASSERT_LE(std::stoi(state.DecimalSuffix1.substr(1)), 42767);
      }
    }
  }
}

TEST_F(PrepareProblemTest, TheSheetLoopReadsTheFormAfreshForEveryProblem) {
  DecimalsOn("3");
  const int placesReads = controls.TextReads(form::kDecimalPlaces);
  const int rangeReads = controls.TextReads(form::kRangeFrom);
  Sheet(24);
  EXPECT_EQ(controls.TextReads(form::kDecimalPlaces) - placesReads, 24);
  EXPECT_EQ(controls.TextReads(form::kRangeFrom) - rangeReads, 24);
}

TEST_F(PrepareProblemTest, UnrecognisedPlacesTextsKeepTheSuffixesOfTheLastPreparation) {
  for (const char* places : {"02", "2.0", " 2", "２", "-2", "2.5"}) {
    SheetSettings fresh;
    fresh.decimals = true;
    fresh.places = places;
    ProgramState started;
    GenerationContext atStart{fresh, started};
    PrepareProblem(atStart, clock, std::nullopt);
    EXPECT_EQ(started.DecimalSuffix1, "") << places;
    EXPECT_EQ(started.DecimalSuffix2, "") << places;
  }
  DecimalsOn("2");
  Sheet();
  const std::string last1 = state.DecimalSuffix1;
  const std::string last2 = state.DecimalSuffix2;
  DecimalsOn("02");
  for (const std::string& text : Sheet()) {
    EXPECT_NE(text.find(last1 + " + "), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with(last2 + " =")) << text;
  }
}

// MurmurHash3's finaliser; the values are those of its reference implementation.
TEST_F(PrepareProblemTest, TheSeedIsTheTickPassedThroughTheFinaliser) {
  const std::pair<std::uint32_t, std::uint32_t> finalised[] = {
      {0, 0}, {1, 0x514E28B7u}, {700, 0x4101B84Au}, {0xFFFFFFFEu, 0x7995C304u}};
  for (const auto& [tick, seed] : finalised) {
    EXPECT_EQ(Fmix32(tick), seed) << tick;
    clock.queuedTicks = {tick};
    EXPECT_EQ(PrepareProblem(context, clock, std::nullopt), tick) << "returns the raw tick";
    RandomGenerator expected;
    expected.Seed(seed);
    EXPECT_EQ(state.random.Next(), expected.Next()) << tick;
  }
}

// Ticks a few milliseconds apart used to make the first operands climb in step (27 of 29
// steps up on a 30-problem sheet); through the finaliser about half the steps go up.
TEST_F(PrepareProblemTest, FirstOperandsOfProblemsTwoMillisecondsApartDoNotClimb) {
  clock.step = 2;
  int ups = 0;
  int steps = 0;
  for (int sheet = 0; sheet < 20; ++sheet) {
    clock.tick = 100000 + 7919u * static_cast<std::uint32_t>(sheet);
    const std::vector<std::string> texts = Sheet(30);
    for (std::size_t i = 1; i < texts.size(); ++i, ++steps) {
      if (std::stoi(texts[i]) > std::stoi(texts[i - 1])) ++ups;
    }
  }
  EXPECT_GT(ups, steps * 2 / 5);
  EXPECT_LT(ups, steps * 3 / 5);
}

TEST_F(PrepareProblemTest, ASeededPreparationUsesTheSeedUnchangedAndNoClock) {
  DecimalsOn("2");
  PrepareSeededProblem(context, 0x514E28B7u);
  const std::string suffix1 = state.DecimalSuffix1;
  clock.queuedTicks = {1};
  PrepareProblem(context, clock, std::nullopt);
  EXPECT_EQ(state.DecimalSuffix1, suffix1) << "tick 1 gives the seed Fmix32(1)";
  EXPECT_TRUE(clock.pauses.empty());
}

// Neighbouring problems never share a seed: while the counter has not moved on from the
// previous problem's tick, preparation waits and reads it again.
TEST_F(PrepareProblemTest, WaitsForTheTickCountToMoveOnFromThePreviousTick) {
  clock.queuedTicks = {700, 700, 700, 701};
  EXPECT_EQ(PrepareProblem(context, clock, std::nullopt), 700u);
  EXPECT_EQ(PrepareProblem(context, clock, 700u), 701u);
  EXPECT_EQ(clock.pauses.size(), 2u);

  clock.step = 0;  // a coarse counter that only moves when time passes
  const std::vector<std::string> texts = Sheet(30);
  for (std::size_t i = 1; i < texts.size(); ++i) {
    EXPECT_NE(texts[i], texts[i - 1]) << "positions " << i << " and " << i + 1;
  }
}

}  // namespace
}  // namespace kalkora
