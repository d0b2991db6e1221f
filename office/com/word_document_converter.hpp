#pragma once

#include <chrono>
#include <string>

#include "core/base/document_converter.hpp"
#include "office/com/dispatch_call.hpp"
#include "office/com/word_objects.hpp"

namespace kalkora::com {

// The core's DocumentConverter through Word (see ExportPdfThroughWord for the calls). Each
// conversion makes its calls on a thread of its own, a single-threaded apartment with the
// office message filter, and every call has the time limit to return: one that does not
// fails the conversion at once, and the thread is left to release what it holds when (if
// ever) Word answers. A failed conversion leaves no file at the PDF's path.
class WordDocumentConverter : public DocumentConverter {
 public:
  WordDocumentConverter(ApplicationFactory factory,
                        std::chrono::milliseconds callLimit = kOfficeRetryLimit);

  bool ConvertToPdf(const std::string& docxPath, const std::string& pdfPath) override;

 private:
  ApplicationFactory factory_;
  std::chrono::milliseconds callLimit_;
};

// True when an automation server is registered as "Word.Application".
bool WordIsRegistered();

}  // namespace kalkora::com
