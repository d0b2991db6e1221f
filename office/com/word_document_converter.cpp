#include "office/com/word_document_converter.hpp"

#include <objbase.h>
#include <windows.h>

#include <utility>

#include "core/word/bounded_call.hpp"
#include "office/com/message_filter.hpp"
#include "office/com/word_pdf_calls.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora::com {
WordDocumentConverter::WordDocumentConverter(ApplicationFactory factory,
                                             std::chrono::milliseconds callLimit, OfficeWait wait)
    : factory_(std::move(factory)), callLimit_(callLimit), wait_(std::move(wait)) {}

bool WordDocumentConverter::ConvertToPdf(const std::string& docxPath, const std::string& pdfPath) {
  const std::wstring pdf = win32::ToUtf16(pdfPath);
  const auto work = [factory = factory_, limit = callLimit_, docx = win32::ToUtf16(docxPath),
                     pdf](const std::function<bool()>& nextCall) {
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(initialised)) return false;
    RegisterOfficeMessageFilter(limit);
    const bool exported = ExportPdfThroughWord(factory, docx, pdf, nextCall);
    UnregisterOfficeMessageFilter();
    CoUninitialize();
    return exported;
  };
  // No PDF is left unless the caller was told it is there: not a partial one, nor one that
  // Word wrote after the caller had given up.
  const auto removeUnused = [pdf](bool taken, bool exported) {
    if (!taken || !exported) DeleteFileW(pdf.c_str());
  };
  return RunBoundedWork(work, removeUnused, callLimit_, wait_).value_or(false);
}

bool WordIsRegistered() {
  // COM for the look-up, on a thread that may have none yet.
  const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CLSID classId;
  const bool registered = SUCCEEDED(CLSIDFromProgID(L"Word.Application", &classId));
  if (SUCCEEDED(initialised)) CoUninitialize();
  return registered;
}

}  // namespace kalkora::com
