#include <gtest/gtest.h>

#include <regex>

#include "core/base/form_names.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "core/generate/prepare_problem.hpp"
#include "core/generate/sheet_loop.hpp"

namespace kalkora {
namespace {

class PrepareProblemTest : public ::testing::Test {
 protected:
  void DecimalsOn(const char* places) {
    controls.Select(form::单选框5);
    controls.WriteText(form::编辑框3, places);
  }
  std::vector<std::string> Sheet(int size = 18) {
    testing::RecordingProblemWriter writer;
    RunSheetLoop(context, size, writer);
    return writer.texts;
  }

  testing::MemoryControls controls;
  testing::FakeClock clock;
  ProgramState state;
  GenerationContext context{controls, state, clock};
};

TEST_F(PrepareProblemTest, DecimalsOffClearsBothSuffixes) {
  state.DecimalSuffix1 = ".12";
  state.DecimalSuffix2 = ".34";
  PrepareProblem(context, std::nullopt);
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
      PrepareProblem(context, std::nullopt);
      ASSERT_TRUE(std::regex_match(state.DecimalSuffix1, shape)) << state.DecimalSuffix1;
      ASSERT_TRUE(std::regex_match(state.DecimalSuffix2, shape)) << state.DecimalSuffix2;
      if (places[0] == '5') {
        ASSERT_LE(std::stoi(state.DecimalSuffix1.substr(1)), 42767);
      }
    }
  }
}

TEST_F(PrepareProblemTest, ReadsThePlacesTextAfreshForEveryComparison) {
  DecimalsOn("3");
  PrepareProblem(context, std::nullopt);
  EXPECT_EQ(controls.TextReads(form::编辑框3), 6) << "\"1\", \"2\", \"3\" for each suffix";
}

TEST_F(PrepareProblemTest, UnrecognisedPlacesTextsKeepTheSuffixesOfTheLastPreparation) {
  for (const char* places : {"02", "2.0", " 2", "２", "-2", "2.5"}) {
    testing::MemoryControls fresh;
    ProgramState started;
    GenerationContext atStart{fresh, started, clock};
    fresh.Select(form::单选框5);
    fresh.WriteText(form::编辑框3, places);
    PrepareProblem(atStart, std::nullopt);
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

TEST_F(PrepareProblemTest, TheSeedIsTheTickCountUnchanged) {
  clock.queuedTicks = {0xFFFFFFFEu};
  EXPECT_EQ(PrepareProblem(context, std::nullopt), 0xFFFFFFFEu);
}

// Neighbouring problems never share a seed: while the counter has not moved on from the
// previous problem's seed, preparation waits and reads it again.
TEST_F(PrepareProblemTest, WaitsForTheTickCountToMoveOnFromThePreviousSeed) {
  clock.queuedTicks = {700, 700, 700, 701};
  EXPECT_EQ(PrepareProblem(context, std::nullopt), 700u);
  EXPECT_EQ(PrepareProblem(context, 700u), 701u);
  EXPECT_EQ(clock.pauses.size(), 2u);

  clock.step = 0;  // a coarse counter that only moves when time passes
  const std::vector<std::string> texts = Sheet(30);
  for (std::size_t i = 1; i < texts.size(); ++i) {
    EXPECT_NE(texts[i], texts[i - 1]) << "positions " << i << " and " << i + 1;
  }
}

}  // namespace
}  // namespace kalkora
