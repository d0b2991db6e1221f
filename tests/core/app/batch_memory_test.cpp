#include "core/app/batch_memory.hpp"

#include <gtest/gtest.h>

#include <map>

namespace kalkora {
namespace {

using Store = std::map<std::string, std::string, std::less<>>;

BatchMemory ReadBack(const Store& store) {
  return RememberedBatch([&](std::string_view name) -> std::optional<std::string> {
    const auto found = store.find(name);
    if (found == store.end()) return std::nullopt;
    return found->second;
  });
}

Store Stored(const BatchMemory& memory) {
  Store store;
  for (const auto& [name, text] : StoredBatchMemory(memory)) store[name] = text;
  return store;
}

void ExpectSame(const BatchMemory& read, const BatchMemory& expected) {
  EXPECT_EQ(read.sheets, expected.sheets);
  EXPECT_EQ(read.answers, expected.answers);
  EXPECT_EQ(read.format, expected.format);
  EXPECT_EQ(read.folder, expected.folder);
  EXPECT_EQ(read.firstCode, expected.firstCode);
  EXPECT_EQ(read.rules, expected.rules);
  EXPECT_EQ(read.title, expected.title);
  EXPECT_EQ(read.nameLine, expected.nameLine);
}

// Rules as a user leaves them: a preset edited afterwards, texts as typed (full-width digits
// and a text the dialog will refuse included), every place and share kind.
const RuleFields kEditedPreset{"20以内退位减法",   "２", "9", "", "", std::nullopt, 35, 0,
                               BlankPlace::Second, true};
const RuleFields kTypedRules{
    "", "", "", "-3", "十", 100, std::nullopt, std::nullopt, BlankPlace::Any, false};

TEST(BatchMemory, WhatIsStoredComesBack) {
  const BatchMemory memories[] = {
      {},
      {500, false, DocumentFormat::Pdf, "/home/li/文档/三班", 482913, kEditedPreset, "三班口算",
       true},
      {1, true, DocumentFormat::Docx, "C:\\作业 2026", 100000, kTypedRules, "", false},
      {37, false, DocumentFormat::Pdf, "", 999999, {}, "第 3 周 练习", true},
  };
  for (const BatchMemory& memory : memories) {
    SCOPED_TRACE(memory.folder);
    ExpectSame(ReadBack(Stored(memory)), memory);
  }
}

// A store that is empty, older or edited by hand gives the defaults for what it cannot give.
TEST(BatchMemory, ValuesTheDialogCouldNotTakeKeepTheirDefaults) {
  const BatchMemory defaults;
  ExpectSame(ReadBack({}), defaults);
  const Store bad[] = {
      {{"Sheets", "0"}},         {{"Sheets", "501"}},      {{"Sheets", "100000"}},
      {{"Sheets", "7 "}},        {{"Sheets", "-3"}},       {{"Sheets", ""}},
      {{"Answers", "yes"}},      {{"Answers", ""}},        {{"Format", "PDF"}},
      {{"Format", "odt"}},       {{"FirstCode", "99999"}}, {{"FirstCode", "1000000"}},
      {{"FirstCode", "12a456"}}, {{"FirstCode", ""}},      {{"Preset", "30以内加法"}},
      {{"Carry", "101"}},        {{"Borrow", "-1"}},       {{"Remainder", "50%"}},
      {{"Blank", "middle"}},     {{"Blank", "Result"}},    {{"Distinct", "yes"}},
      {{"NameLine", "true"}},
  };
  for (const Store& store : bad) {
    SCOPED_TRACE(store.begin()->first + "=" + store.begin()->second);
    ExpectSame(ReadBack(store), defaults);
  }
}

}  // namespace
}  // namespace kalkora
