#include "word/com/com_word_processor.hpp"

#include <string>

#include "word/win32/utf16.hpp"

namespace kalkora {

ComWordProcessor::ComWordProcessor(ApplicationFactory factory, std::chrono::milliseconds callLimit)
    : factory_(std::move(factory)), callLimit_(callLimit) {}

ComWordProcessor::~ComWordProcessor() { ReleaseAll(); }

bool ComWordProcessor::OnApartment(std::function<bool(WordObjects&)> call) {
  if (!apartment_) {
    apartment_ = std::make_unique<ApartmentThread>();
    objects_ = std::make_shared<WordObjects>(factory_);
  }
  std::shared_ptr<WordObjects> objects = objects_;
  const std::optional<bool> result =
      apartment_->Run([objects, call = std::move(call)] { return call(*objects); }, callLimit_,
                      [objects] { objects->ReleaseAll(); });
  if (result) return *result;
  apartment_.reset();
  objects_.reset();
  return false;
}

bool ComWordProcessor::CreateApplication() {
  return OnApartment([](WordObjects& word) { return word.CreateApplication(); });
}

bool ComWordProcessor::AttachDocuments() {
  return OnApartment([](WordObjects& word) { return word.AttachDocuments(); });
}

bool ComWordProcessor::TakeDocumentsObject() {
  return OnApartment([](WordObjects& word) { return word.TakeDocumentsObject(); });
}

bool ComWordProcessor::AddDocument(std::string_view templatePath) {
  return OnApartment(
      [path = ToUtf16(templatePath)](WordObjects& word) { return word.AddDocument(path); });
}

bool ComWordProcessor::ShowApplication() {
  return OnApartment([](WordObjects& word) { return word.ShowApplication(); });
}

bool ComWordProcessor::MoveUp(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return OnApartment([=](WordObjects& word) { return word.Move(L"MoveUp", unit, count, extend); });
}

bool ComWordProcessor::MoveDown(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return OnApartment(
      [=](WordObjects& word) { return word.Move(L"MoveDown", unit, count, extend); });
}

bool ComWordProcessor::MoveRight(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return OnApartment(
      [=](WordObjects& word) { return word.Move(L"MoveRight", unit, count, extend); });
}

bool ComWordProcessor::TypeText(std::string_view text) {
  return OnApartment([wide = ToUtf16(text)](WordObjects& word) { return word.TypeText(wide); });
}

bool ComWordProcessor::SetFontSize(float points) {
  return OnApartment([points](WordObjects& word) { return word.SetFontSize(points); });
}

void ComWordProcessor::ReleaseDocuments() {
  if (!apartment_) return;
  OnApartment([](WordObjects& word) {
    word.ReleaseDocuments();
    return true;
  });
}

void ComWordProcessor::ReleaseAll() {
  if (!apartment_) return;
  OnApartment([](WordObjects& word) {
    word.ReleaseAll();
    return true;
  });
  apartment_.reset();
  objects_.reset();
}

}  // namespace kalkora
