#include "office/com/word_document_converter.hpp"

#include <objbase.h>
#include <windows.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "office/com/message_filter.hpp"
#include "office/com/word_pdf_calls.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora::com {
namespace {

// What the waiting caller and the conversion's thread share.
struct Conversion {
  std::mutex mutex;
  std::condition_variable changed;
  int callsStarted = 0;
  bool finished = false;
  bool exported = false;
  bool abandoned = false;

  // On the conversion's thread, before each call: false once the caller has given up.
  bool NextCall() {
    std::lock_guard lock(mutex);
    if (abandoned) return false;
    ++callsStarted;
    changed.notify_all();
    return true;
  }
  // False when the caller had given up before the result came.
  bool Finish(bool result) {
    std::lock_guard lock(mutex);
    finished = true;
    exported = result;
    changed.notify_all();
    return !abandoned;
  }
  // On the caller's thread: the result, or false as soon as one call has taken longer than
  // the limit.
  bool Wait(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex);
    for (;;) {
      const int seen = callsStarted;
      if (!changed.wait_for(lock, limit, [&] { return finished || callsStarted != seen; })) {
        abandoned = true;
        return false;
      }
      if (finished) return exported;
    }
  }
};

}  // namespace

WordDocumentConverter::WordDocumentConverter(ApplicationFactory factory,
                                             std::chrono::milliseconds callLimit)
    : factory_(std::move(factory)), callLimit_(callLimit) {}

bool WordDocumentConverter::ConvertToPdf(const std::string& docxPath, const std::string& pdfPath) {
  auto conversion = std::make_shared<Conversion>();
  // The thread owns copies of all it uses: after a time-out it outlives this call.
  std::thread thread([conversion, factory = factory_, limit = callLimit_,
                      docx = win32::ToUtf16(docxPath), pdf = win32::ToUtf16(pdfPath)] {
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool exported = false;
    if (SUCCEEDED(initialised)) {
      RegisterOfficeMessageFilter(limit);
      exported = ExportPdfThroughWord(factory, docx, pdf, [&] { return conversion->NextCall(); });
      UnregisterOfficeMessageFilter();
      CoUninitialize();
    }
    // No PDF is left unless the caller was told it is there: not a partial one, nor one that
    // Word wrote after the caller had given up.
    if (!conversion->Finish(exported) || !exported) DeleteFileW(pdf.c_str());
  });
  const bool exported = conversion->Wait(callLimit_);
  if (conversion->abandoned) {
    thread.detach();
  } else {
    thread.join();
  }
  return exported;
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
