#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/file_bytes.hpp"
#include "golden/golden_sheets.hpp"

namespace kalkora::testing {
namespace {

const std::filesystem::path kGolden = KALKORA_GOLDEN_DIR;

// Compares line by line first, so that a failure names the first line that moved.
void ExpectSameText(const std::string& made, const std::string& golden, const std::string& name) {
  std::size_t line = 1, at = 0;
  while (at < made.size() && at < golden.size() && made[at] == golden[at]) {
    if (made[at] == '\n') ++line;
    ++at;
  }
  if (made == golden) return;
  const auto lineOf = [](const std::string& text, std::size_t offset) {
    const std::size_t begin = text.rfind('\n', offset == 0 ? 0 : offset - 1);
    const std::size_t from = begin == std::string::npos ? 0 : begin + 1;
    return text.substr(from, text.find('\n', from) - from);
  };
  ADD_FAILURE() << name << " differs from its golden copy at line " << line
                << ":\n  made:   " << lineOf(made, at) << "\n  golden: " << lineOf(golden, at);
}

TEST(Golden, ClassicSheetsGiveThePinnedTextsForEveryKindSizeDecimalsAndRange) {
  ExpectSameText(ClassicSheetTexts(), FileBytes(kGolden / "classic_sheets.tsv"),
                 "classic_sheets.tsv");
}

TEST(Golden, ClassSetsGiveThePinnedSheetsKeysAndDateLines) {
  ExpectSameText(ClassSetTexts(), FileBytes(kGolden / "class_sets.txt"), "class_sets.txt");
}

TEST(Golden, ClassSetDocumentsGiveThePinnedWordprocessingMl) {
  const auto documents = ClassSetDocuments();
  ASSERT_EQ(documents.size(), 6u);
  for (const auto& [name, xml] : documents) {
    ExpectSameText(xml, FileBytes(kGolden / name), name);
  }
}

}  // namespace
}  // namespace kalkora::testing
