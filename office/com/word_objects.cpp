#include "office/com/word_objects.hpp"

#include <oleauto.h>

#include <array>

#include "office/com/dispatch_call.hpp"

namespace kalkora::com {
namespace {

VARIANT Int32(std::int32_t value) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_I4;
  variant.lVal = value;
  return variant;
}

// Owns the BSTR of one text argument.
class TextArgument {
 public:
  explicit TextArgument(const std::wstring& text) {
    VariantInit(&variant_);
    variant_.vt = VT_BSTR;
    variant_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  TextArgument(const TextArgument&) = delete;
  TextArgument& operator=(const TextArgument&) = delete;
  ~TextArgument() { VariantClear(&variant_); }

  bool valid() const { return variant_.bstrVal != nullptr; }
  VARIANT& variant() { return variant_; }

 private:
  VARIANT variant_;
};

}  // namespace

HRESULT CreateWordApplication(DispatchRef& application) {
  application.Reset();
  CLSID classId;
  HRESULT hr = CLSIDFromProgID(L"Word.Application", &classId);
  if (FAILED(hr)) return hr;
  IDispatch* created = nullptr;
  hr = CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IDispatch,
                        reinterpret_cast<void**>(&created));
  if (SUCCEEDED(hr)) application = DispatchRef(created);
  return hr;
}

bool WordObjects::CreateApplication() {
  application_.Reset();
  DispatchRef created;
  if (FAILED(factory_(created)) || !created) return false;
  application_ = std::move(created);
  return true;
}

bool WordObjects::AttachDocuments() {
  ReleaseDocuments();
  if (!application_) return false;
  return SUCCEEDED(GetObjectProperty(application_.get(), L"Documents", collection_));
}

bool WordObjects::TakeDocumentsObject() {
  documentsObject_ = collection_.Share();
  return static_cast<bool>(documentsObject_);
}

bool WordObjects::AddDocument(const std::wstring& templatePath) {
  if (!documentsObject_) return false;
  TextArgument path(templatePath);
  if (!path.valid()) return false;
  VARIANT added;
  VariantInit(&added);
  const HRESULT hr = CallMethod(documentsObject_.get(), L"add", {&path.variant(), 1}, &added);
  document_.Reset();
  if (SUCCEEDED(hr) && added.vt == VT_DISPATCH && added.pdispVal) {
    document_ = DispatchRef(std::exchange(added.pdispVal, nullptr));
  }
  VariantClear(&added);
  return SUCCEEDED(hr);
}

bool WordObjects::ShowApplication() {
  VARIANT visible;
  VariantInit(&visible);
  visible.vt = VT_BOOL;
  visible.boolVal = VARIANT_TRUE;
  return application_ && SUCCEEDED(PutProperty(application_.get(), L"Visible", visible));
}

bool WordObjects::Move(const wchar_t* member, std::int32_t unit, std::int32_t count,
                       std::int32_t extend) {
  IDispatch* selection = Selection();
  if (!selection) return false;
  std::array<VARIANT, 3> arguments{Int32(unit), Int32(count), Int32(extend)};
  VARIANT moved;
  VariantInit(&moved);
  const HRESULT hr = CallMethod(selection, member, arguments, &moved);
  VariantClear(&moved);
  return SUCCEEDED(hr);
}

bool WordObjects::TypeText(const std::wstring& text) {
  IDispatch* selection = Selection();
  if (!selection) return false;
  TextArgument argument(text);
  return argument.valid() &&
         SUCCEEDED(CallMethod(selection, L"TypeText", {&argument.variant(), 1}));
}

bool WordObjects::SetFontSize(float points) {
  IDispatch* font = Font();
  if (!font) return false;
  VARIANT size;
  VariantInit(&size);
  size.vt = VT_R4;
  size.fltVal = points;
  return SUCCEEDED(PutProperty(font, L"Size", size));
}

void WordObjects::ReleaseDocuments() {
  font_.Reset();
  selection_.Reset();
  document_.Reset();
  collection_.Reset();
}

void WordObjects::ReleaseAll() {
  documentsObject_.Reset();
  ReleaseDocuments();
  application_.Reset();
}

IDispatch* WordObjects::Selection() {
  if (!selection_ && collection_) {
    DispatchRef application;
    if (SUCCEEDED(GetObjectProperty(collection_.get(), L"Parent", application))) {
      GetObjectProperty(application.get(), L"Selection", selection_);
    }
  }
  return selection_.get();
}

IDispatch* WordObjects::Font() {
  if (!font_) {
    if (IDispatch* selection = Selection()) GetObjectProperty(selection, L"Font", font_);
  }
  return font_.get();
}

}  // namespace kalkora::com
