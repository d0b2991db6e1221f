#include "office/com/word_pdf_calls.hpp"

#include <oleauto.h>

#include <array>
#include <utility>

#include "office/com/dispatch_call.hpp"

namespace kalkora::com {
namespace {

// Owns one argument's variant (a text's BSTR among them).
class Argument {
 public:
  static Argument Text(const std::wstring& text) {
    Argument argument;
    argument.variant_.vt = VT_BSTR;
    argument.variant_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return argument;
  }
  static Argument Bool(bool value) {
    Argument argument;
    argument.variant_.vt = VT_BOOL;
    argument.variant_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return argument;
  }
  static Argument Int32(int value) {
    Argument argument;
    argument.variant_.vt = VT_I4;
    argument.variant_.lVal = value;
    return argument;
  }
  // An optional argument left out, so that one further on can be given by position.
  static Argument Missing() {
    Argument argument;
    argument.variant_.vt = VT_ERROR;
    argument.variant_.scode = DISP_E_PARAMNOTFOUND;
    return argument;
  }

  Argument(Argument&& other) noexcept : variant_(std::exchange(other.variant_, Empty())) {}
  Argument(const Argument&) = delete;
  Argument& operator=(const Argument&) = delete;
  Argument& operator=(Argument&&) = delete;
  ~Argument() { VariantClear(&variant_); }

  bool valid() const { return variant_.vt != VT_BSTR || variant_.bstrVal != nullptr; }
  const VARIANT& variant() const { return variant_; }

 private:
  Argument() : variant_(Empty()) {}
  static VARIANT Empty() {
    VARIANT variant;
    VariantInit(&variant);
    return variant;
  }

  VARIANT variant_;
};

// Calls a method with owned arguments; the returned object, if any, goes into `returned`.
template <std::size_t N>
bool Call(IDispatch* object, const wchar_t* member, std::array<Argument, N> arguments,
          DispatchRef* returned = nullptr) {
  std::array<VARIANT, N> variants;
  for (std::size_t i = 0; i < N; ++i) {
    if (!arguments[i].valid()) return false;
    variants[i] = arguments[i].variant();  // borrowed: the Argument still owns it
  }
  VARIANT result;
  VariantInit(&result);
  const HRESULT hr = CallMethod(object, member, variants, &result);
  bool ok = SUCCEEDED(hr);
  if (returned) {
    ok = ok && result.vt == VT_DISPATCH && result.pdispVal;
    if (ok) *returned = DispatchRef(std::exchange(result.pdispVal, nullptr));
  }
  VariantClear(&result);
  return ok;
}

// The number of open documents, or -1 when Word does not say.
int OpenDocuments(IDispatch* documents) {
  VARIANT count;
  VariantInit(&count);
  int open = -1;
  if (SUCCEEDED(GetProperty(documents, L"Count", &count)) &&
      SUCCEEDED(VariantChangeType(&count, &count, 0, VT_I4))) {
    open = count.lVal;
  }
  VariantClear(&count);
  return open;
}

}  // namespace

bool ExportPdfThroughWord(const ApplicationFactory& factory, const std::wstring& docxPath,
                          const std::wstring& pdfPath,
                          const std::function<bool()>& beforeEachCall) {
  DispatchRef application, documents, document;
  if (!beforeEachCall() || FAILED(factory(application)) || !application) return false;
  if (!beforeEachCall() || FAILED(GetObjectProperty(application.get(), L"Documents", documents))) {
    return false;
  }
  if (!beforeEachCall()) return false;
  bool exported = false;
  // FileName, ConfirmConversions, ReadOnly, AddToRecentFiles, then seven left out (passwords,
  // Revert, Format, Encoding) before Visible.
  if (Call(documents.get(), L"Open",
           std::array{Argument::Text(docxPath), Argument::Bool(false), Argument::Bool(true),
                      Argument::Bool(false), Argument::Missing(), Argument::Missing(),
                      Argument::Missing(), Argument::Missing(), Argument::Missing(),
                      Argument::Missing(), Argument::Missing(), Argument::Bool(false)},
           &document)) {
    exported = beforeEachCall() &&
               Call(document.get(), L"ExportAsFixedFormat",
                    std::array{Argument::Text(pdfPath), Argument::Int32(wdExportFormatPDF)});
    // Closed whether or not the export worked, as long as Word still answers.
    if (!beforeEachCall()) return false;
    Call(document.get(), L"Close", std::array{Argument::Int32(wdDoNotSaveChanges)});
    document.Reset();
  }
  // A Word left with no document is one this conversion started: it is ended.
  if (beforeEachCall() && OpenDocuments(documents.get()) == 0 && beforeEachCall()) {
    Call(application.get(), L"Quit", std::array{Argument::Int32(wdDoNotSaveChanges)});
  }
  return exported;
}

}  // namespace kalkora::com
