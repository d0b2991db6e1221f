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
}

TEST(BatchMemory, WhatIsStoredComesBack) {
  const BatchMemory memories[] = {
      {},
      {500, false, DocumentFormat::Pdf, "/home/li/文档/三班", 482913},
      {1, true, DocumentFormat::Docx, "C:\\作业 2026", 100000},
      {37, false, DocumentFormat::Pdf, "", 999999},
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
      {{"FirstCode", "12a456"}}, {{"FirstCode", ""}},
  };
  for (const Store& store : bad) {
    SCOPED_TRACE(store.begin()->first + "=" + store.begin()->second);
    ExpectSame(ReadBack(store), defaults);
  }
}

}  // namespace
}  // namespace kalkora
