#pragma once

#include <chrono>
#include <string>

#include "core/word/bounded_call.hpp"
#include "office/com/dispatch_call.hpp"
#include "office/com/word_objects.hpp"

namespace kalkora::com {

// A .docx file turned into PDF by Word (see ExportPdfThroughWord for the calls). Each
// conversion is bounded work (RunBoundedWork) on a thread of its own, a single-threaded
// apartment with the office message filter: every call has the time limit to return, one that
// does not fails the conversion at once, and the thread is left to release what it holds when
// (if ever) Word answers. The caller waits through `wait`. A failed conversion leaves no file
// at the PDF's path.
class WordDocumentConverter {
 public:
  WordDocumentConverter(ApplicationFactory factory,
                        std::chrono::milliseconds callLimit = kOfficeRetryLimit,
                        OfficeWait wait = {});

  // Both paths UTF-8. True when the PDF was written; false leaves no file at pdfPath.
  bool ConvertToPdf(const std::string& docxPath, const std::string& pdfPath);

 private:
  ApplicationFactory factory_;
  std::chrono::milliseconds callLimit_;
  OfficeWait wait_;
};

// True when an automation server is registered as "Word.Application".
bool WordIsRegistered();

}  // namespace kalkora::com
