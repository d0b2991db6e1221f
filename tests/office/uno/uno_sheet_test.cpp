// Whole generate runs through a real office, read back from the finished documents and
// compared with what the simulated word processor makes of the same seeds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "core/base/date_text.hpp"
#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/kind_heading.hpp"
#include "core/generate/sheet_loop.hpp"
#include "fakes/recording.hpp"
#include "fakes/simulated_word_processor.hpp"
#include "office/uno/office_test_support.hpp"
#include "resources/template_bytes.hpp"
#include "system/posix/libreoffice_locator.hpp"

namespace kalkora::testing {
namespace {

struct SizeCase {
  int size;
  std::string_view radio;
};
constexpr SizeCase kSizes[] = {{18, form::单选框1}, {24, form::单选框2}, {30, form::单选框3}};

bool OnlyParagraphBreaks(const std::string& text) {
  return text.find_first_not_of("\n\r") == std::string::npos;
}

// Runs the same sheet through the office and the simulation; returns both.
std::pair<SheetContent, SimDocument> MakeBothWays(std::string_view box, const SizeCase& size,
                                                  bool decimals = false) {
  TestOffice& office = SharedOffice();
  DocumentReader reader(office.Options().pipeName);
  reader.CloseAll();

  SheetRun real(box, size.radio);
  SheetRun simulated(box, size.radio);
  if (decimals) {
    for (SheetRun* run : {&real, &simulated}) run->controls.Select(form::单选框5);
  }
  posix::LibreOfficeLocator locator;
  real.Run(office.Automation(), locator, office.Store());
  EXPECT_TRUE(real.messages.shown.empty()) << real.messages.shown.front().text;

  SimulatedWordProcessor simulation;
  FakeTemplateStore names{"/templates/"};
  FixedOfficeLocator installed{"/usr/lib/libreoffice/program/"};
  simulated.Run(simulation, installed, names);

  std::vector<SheetContent> sheets = DocumentReader(office.Options().pipeName).ReadAll();
  EXPECT_EQ(sheets.size(), 1u);
  if (sheets.empty() || simulation.documents.empty()) return {};
  return {sheets.front(), simulation.Document(0)};
}

void ExpectSameSheet(const SheetContent& sheet, const SimDocument& expected, ExerciseKind kind,
                     int size) {
  const int columns = ColumnsPerRow(size);
  ASSERT_EQ(sheet.tables, 1);
  ASSERT_EQ(sheet.beforeTable.size(), 3u);
  EXPECT_EQ(sheet.beforeTable[0], "数学作业练习");
  EXPECT_EQ(sheet.beforeTable[1], "");
  EXPECT_EQ(sheet.beforeTable[2], KindHeading(kind));
  ASSERT_EQ(sheet.cells.size(), 12u);
  for (int row = 0; row < 12; ++row) {
    const auto r = static_cast<std::size_t>(row);
    ASSERT_EQ(sheet.cells[r].size(), static_cast<std::size_t>(columns));
    for (int column = 0; column < columns; ++column) {
      const auto c = static_cast<std::size_t>(column);
      SCOPED_TRACE("row " + std::to_string(row + 1) + " column " + std::to_string(column + 1));
      const std::string& text = sheet.cells[r][c];
      if (row % 2 == 1) {
        EXPECT_TRUE(OnlyParagraphBreaks(text)) << text;
        continue;
      }
      EXPECT_EQ(text, expected.CellText(row + 1, column + 1));
      EXPECT_TRUE(text.ends_with(" =")) << text;
      EXPECT_FLOAT_EQ(sheet.latinHeights[r][c], 12.0f);
      EXPECT_FLOAT_EQ(sheet.asianHeights[r][c], 12.0f);
    }
  }
  ASSERT_EQ(sheet.afterTable.size(), 1u);
  EXPECT_EQ(sheet.afterTable[0], DateText(FakeClock().now));
  EXPECT_EQ(sheet.url, "");
  EXPECT_FALSE(sheet.hasLocation);
  EXPECT_TRUE(sheet.modified);
  EXPECT_EQ(sheet.title.find(".doc"), std::string::npos) << sheet.title;
}

class EverySheet : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(EverySheet, MatchesTheSimulationCellByCell) {
  const ExerciseKindInfo& kind =
      kExerciseKinds.at(static_cast<std::size_t>(std::get<0>(GetParam())));
  const SizeCase& size = kSizes[std::get<1>(GetParam())];
  const auto [sheet, expected] = MakeBothWays(kind.box, size);
  ExpectSameSheet(sheet, expected, kind.kind, size.size);
}

INSTANTIATE_TEST_SUITE_P(KindsAndSizes, EverySheet,
                         ::testing::Combine(::testing::Range(0, kKindCount),
                                            ::testing::Range(0, 3)));

TEST(DecimalSheet, CarriesTheDecimalPlacesIntoTheCells) {
  const auto [sheet, expected] = MakeBothWays(form::选择框3, kSizes[2], true);
  ExpectSameSheet(sheet, expected, ExerciseKind::Multiplication, 30);
  EXPECT_NE(sheet.cells[0][0].find('.'), std::string::npos) << sheet.cells[0][0];
}

// The finished sheet prints: it is written as PDF into the build folder for a look at it.
TEST(PrintedSheet, ExportsAsPdf) {
  MakeBothWays(form::选择框7, kSizes[2]);
  const std::string pdf = KALKORA_SHEET_PDF;
  std::filesystem::remove(pdf);
  ASSERT_TRUE(DocumentReader(SharedOffice().Options().pipeName).ExportFirstAsPdf(pdf));
  std::ifstream in(pdf, std::ios::binary);
  std::string head(5, '\0');
  in.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");
  EXPECT_GT(std::filesystem::file_size(pdf), 10000u);
}

}  // namespace
}  // namespace kalkora::testing
