#include "office/com/com_word_processor.hpp"

#include <string>
#include <utility>

#include "system/win32/utf16.hpp"

namespace kalkora::com {

ComWordProcessor::ComWordProcessor(ApplicationFactory factory) : factory_(std::move(factory)) {}

ComWordProcessor::~ComWordProcessor() { ReleaseAll(); }

bool ComWordProcessor::OnApartment(std::function<bool(WordObjects&)> call) {
  std::shared_ptr<ApartmentThread> apartment;
  std::shared_ptr<WordObjects> objects;
  {
    std::lock_guard lock(mutex_);
    if (!apartment_) {
      objects_ = std::make_shared<WordObjects>(factory_);
      apartment_ =
          std::make_shared<ApartmentThread>([objects = objects_] { objects->ReleaseAll(); });
    }
    apartment = apartment_;
    objects = objects_;
  }
  const std::optional<bool> result =
      apartment->Run([objects, call = std::move(call)] { return call(*objects); });
  return result.value_or(false);
}

void ComWordProcessor::Abandon() {
  std::lock_guard lock(mutex_);
  if (!apartment_) return;
  apartment_->Abandon();
  apartment_.reset();
  objects_.reset();
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
      [path = win32::ToUtf16(templatePath)](WordObjects& word) { return word.AddDocument(path); });
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
  return OnApartment([wide = win32::ToUtf16(text)](WordObjects& word) { return word.TypeText(wide); });
}

bool ComWordProcessor::SetFontSize(float points) {
  return OnApartment([points](WordObjects& word) { return word.SetFontSize(points); });
}

void ComWordProcessor::ReleaseDocuments() {
  if (!HasApartment()) return;
  OnApartment([](WordObjects& word) {
    word.ReleaseDocuments();
    return true;
  });
}

void ComWordProcessor::ReleaseAll() {
  if (!HasApartment()) return;
  OnApartment([](WordObjects& word) {
    word.ReleaseAll();
    return true;
  });
  std::shared_ptr<ApartmentThread> finished;
  {
    std::lock_guard lock(mutex_);
    finished = std::exchange(apartment_, nullptr);
    objects_.reset();
  }
}

bool ComWordProcessor::HasApartment() {
  std::lock_guard lock(mutex_);
  return apartment_ != nullptr;
}

}  // namespace kalkora::com
