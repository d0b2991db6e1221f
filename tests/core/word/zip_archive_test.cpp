#include "core/word/zip_archive.hpp"

#include <gtest/gtest.h>
#include <zlib.h>

#include <stdexcept>
#include <utility>

#include "zip_reading.hpp"

namespace kalkora {
namespace {

using testing::ReadZip;
using testing::ZipEntry;

constexpr ZipTime kStamp = {2026, 12, 9, 13, 45, 31};

// Text that compresses well, then bytes that do not, long enough to need several zlib calls.
std::string MixedBytes() {
  std::string bytes;
  for (int line = 0; line < 4000; ++line) bytes += "<w:p><w:r><w:t>12 + 34 =</w:t></w:r></w:p>";
  std::uint32_t state = 12345;
  for (int index = 0; index < 200000; ++index) {
    state = state * 1103515245u + 12345u;
    bytes.push_back(static_cast<char>(state >> 24));
  }
  return bytes;
}

TEST(ZipArchive, EntriesReadBackWithTheirNamesContentsCrcsAndTime) {
  const std::vector<std::pair<std::string, std::string>> added = {
      {"[Content_Types].xml", "<Types/>"},
      {"word/文档.xml", "数学作业练习"},
      {"empty", ""},
      {"big.bin", MixedBytes()},
  };
  ZipArchive archive(kStamp);
  for (const auto& [name, contents] : added) archive.Add(name, contents);

  const std::vector<ZipEntry> entries = ReadZip(archive.Bytes());
  ASSERT_EQ(entries.size(), added.size());
  for (std::size_t index = 0; index < added.size(); ++index) {
    const ZipEntry& entry = entries[index];
    EXPECT_EQ(entry.name, added[index].first);
    EXPECT_EQ(entry.contents, added[index].second) << entry.name;
    const auto* data = reinterpret_cast<const Bytef*>(added[index].second.data());
    EXPECT_EQ(entry.crc, crc32(0L, data, static_cast<uInt>(added[index].second.size())));
    EXPECT_EQ(entry.flags, 0x0800) << "UTF-8 names";
    EXPECT_EQ(entry.method, 8) << "deflated";
    EXPECT_EQ(entry.dosTime, 13 << 11 | 45 << 5 | 15) << "seconds stored halved";
    EXPECT_EQ(entry.dosDate, (2026 - 1980) << 9 | 12 << 5 | 9);
  }
}

TEST(ZipArchive, SameEntriesAndTimeGiveTheSameBytes) {
  auto build = [](ZipTime time) {
    ZipArchive archive(time);
    archive.Add("a.xml", MixedBytes());
    archive.Add("b.xml", "<b/>");
    return archive.Bytes();
  };
  EXPECT_EQ(build(kStamp), build(kStamp));
  EXPECT_NE(build(kStamp), build({2026, 12, 9, 13, 45, 33}));
}

TEST(ZipArchive, RefusesTimesZipCannotStore) {
  const ZipTime refused[] = {
      {1979, 12, 31, 23, 59, 58}, {2108, 1, 1, 0, 0, 0},  {2026, 0, 1, 0, 0, 0},
      {2026, 13, 1, 0, 0, 0},     {2026, 1, 0, 0, 0, 0},  {2026, 1, 32, 0, 0, 0},
      {2026, 1, 1, 24, 0, 0},     {2026, 1, 1, 0, 60, 0}, {2026, 1, 1, 0, 0, -1},
  };
  for (const ZipTime& time : refused) {
    EXPECT_THROW(ZipArchive{time}, std::invalid_argument) << time.year << "-" << time.month;
  }
  EXPECT_NO_THROW((ZipArchive{{1980, 1, 1, 0, 0, 0}}));
  EXPECT_NO_THROW((ZipArchive{{2107, 12, 31, 23, 59, 59}}));
}

TEST(ZipArchive, RefusesEmptyLongAndRepeatedNamesAndKeepsWhatWasAdded) {
  ZipArchive archive(kStamp);
  archive.Add("word/document.xml", "<w:document/>");
  EXPECT_THROW(archive.Add("", "x"), std::invalid_argument);
  EXPECT_THROW(archive.Add(std::string(65536, 'n'), "x"), std::invalid_argument);
  try {
    archive.Add("word/document.xml", "other");
    ADD_FAILURE() << "a repeated name was accepted";
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ(error.what(), "the zip archive already holds an entry named word/document.xml");
  }
  const std::vector<ZipEntry> entries = ReadZip(archive.Bytes());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].contents, "<w:document/>");
}

}  // namespace
}  // namespace kalkora
