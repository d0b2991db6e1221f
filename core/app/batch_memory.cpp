#include "core/app/batch_memory.hpp"

#include <charconv>

#include "core/generate/sheet.hpp"

namespace kalkora {
namespace {

constexpr char kSheets[] = "Sheets";
constexpr char kAnswers[] = "Answers";
constexpr char kFormat[] = "Format";
constexpr char kFolder[] = "Folder";
constexpr char kFirstCode[] = "FirstCode";

std::optional<int> WholeNumber(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

BatchMemoryValues StoredBatchMemory(const BatchMemory& memory) {
  return {{kSheets, std::to_string(memory.sheets)},
          {kAnswers, memory.answers ? "1" : "0"},
          {kFormat, memory.format == DocumentFormat::Pdf ? "pdf" : "docx"},
          {kFolder, memory.folder},
          {kFirstCode, memory.firstCode ? std::to_string(*memory.firstCode) : ""}};
}

BatchMemory RememberedBatch(
    const std::function<std::optional<std::string>(std::string_view)>& read) {
  BatchMemory memory;
  if (const auto text = read(kSheets)) {
    if (const auto sheets = WholeNumber(*text); sheets && *sheets >= 1 && *sheets <= 500) {
      memory.sheets = *sheets;
    }
  }
  if (const auto text = read(kAnswers); text == "0" || text == "1") memory.answers = *text == "1";
  if (const auto text = read(kFormat); text == "pdf") memory.format = DocumentFormat::Pdf;
  if (const auto text = read(kFolder)) memory.folder = *text;
  if (const auto text = read(kFirstCode)) {
    if (const auto code = WholeNumber(*text); code && IsSheetCode(*code)) memory.firstCode = code;
  }
  return memory;
}

}  // namespace kalkora
