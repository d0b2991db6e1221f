#include "office/com/com_word_processor.hpp"

#include <utility>

#include "system/win32/utf16.hpp"

namespace kalkora::com {

ComWordProcessor::ComWordProcessor(ApplicationFactory factory) : word_(std::move(factory)) {}

ComWordProcessor::~ComWordProcessor() { ReleaseAll(); }

bool ComWordProcessor::CreateApplication() { return word_.CreateApplication(); }

bool ComWordProcessor::AttachDocuments() { return word_.AttachDocuments(); }

bool ComWordProcessor::TakeDocumentsObject() { return word_.TakeDocumentsObject(); }

bool ComWordProcessor::AddDocument(std::string_view templatePath) {
  return word_.AddDocument(win32::ToUtf16(templatePath));
}

bool ComWordProcessor::ShowApplication() { return word_.ShowApplication(); }

bool ComWordProcessor::MoveUp(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return word_.Move(L"MoveUp", unit, count, extend);
}

bool ComWordProcessor::MoveDown(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return word_.Move(L"MoveDown", unit, count, extend);
}

bool ComWordProcessor::MoveRight(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return word_.Move(L"MoveRight", unit, count, extend);
}

bool ComWordProcessor::TypeText(std::string_view text) {
  return word_.TypeText(win32::ToUtf16(text));
}

bool ComWordProcessor::SetFontSize(float points) { return word_.SetFontSize(points); }

bool ComWordProcessor::ReleaseDocuments() {
  word_.ReleaseDocuments();
  return true;
}

void ComWordProcessor::ReleaseAll() { word_.ReleaseAll(); }

}  // namespace kalkora::com
