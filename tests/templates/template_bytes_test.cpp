#include "resources/template_bytes.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace kalkora {
namespace {

std::vector<unsigned char> ReadCommittedTemplate(std::string_view fileName) {
  const std::filesystem::path path =
      std::filesystem::path(KALKORA_TEMPLATE_DIR) / std::string(fileName);
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << "cannot open " << path;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct SheetTemplate {
  int sheetSize;
  std::string_view fileName;
};

void PrintTo(const SheetTemplate& sheet, std::ostream* out) {
  *out << sheet.sheetSize << " problems, " << sheet.fileName;
}

class TemplateBytesTest : public testing::TestWithParam<SheetTemplate> {};

TEST_P(TemplateBytesTest, CarriesTheCommittedFileUnderItsName) {
  const auto [sheetSize, fileName] = GetParam();
  EXPECT_EQ(TemplateFileName(sheetSize), fileName);

  const std::span<const unsigned char> embedded = TemplateBytes(sheetSize);
  const std::vector<unsigned char> committed = ReadCommittedTemplate(fileName);
  ASSERT_FALSE(committed.empty());
  ASSERT_EQ(embedded.size(), committed.size());
  EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), committed.begin()));
}

TEST_P(TemplateBytesTest, IsAnOleCompoundFile) {
  // Word 97-2003 documents are OLE compound files, which start with this signature.
  constexpr std::array<unsigned char, 8> kCompoundFileMagic = {0xD0, 0xCF, 0x11, 0xE0,
                                                               0xA1, 0xB1, 0x1A, 0xE1};
  const std::span<const unsigned char> embedded = TemplateBytes(GetParam().sheetSize);
  ASSERT_GE(embedded.size(), kCompoundFileMagic.size());
  EXPECT_TRUE(std::equal(kCompoundFileMagic.begin(), kCompoundFileMagic.end(), embedded.begin()));
  // Compound files are made of 512-byte sectors after the 512-byte header.
  EXPECT_EQ(embedded.size() % 512, 0u);
}

INSTANTIATE_TEST_SUITE_P(AllSheetSizes, TemplateBytesTest,
                         testing::Values(SheetTemplate{18, "doc.doc"}, SheetTemplate{24, "d24.doc"},
                                         SheetTemplate{30, "d30.doc"}),
                         [](const testing::TestParamInfo<SheetTemplate>& each) {
                           return "Sheet" + std::to_string(each.param.sheetSize);
                         });

TEST(TemplateBytesTest, OtherSheetSizesHaveNoTemplate) {
  for (const int sheetSize : {0, -18, 1, 17, 19, 23, 25, 29, 31, 36, 180}) {
    EXPECT_TRUE(TemplateBytes(sheetSize).empty()) << sheetSize;
    EXPECT_TRUE(TemplateFileName(sheetSize).empty()) << sheetSize;
  }
}

}  // namespace
}  // namespace kalkora
