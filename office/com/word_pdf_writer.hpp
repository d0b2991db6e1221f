#pragma once

#include "core/word/pdf_writer.hpp"
#include "office/com/word_document_converter.hpp"

namespace kalkora::com {

// PDF through Word, where Windows has no other way: the pages written as a .docx beside the
// PDF, exported by Word (WordDocumentConverter) and removed again. The export cannot be
// stopped half-way, so the pages are counted once it is done.
class WordPdfWriter : public PdfWriter {
 public:
  explicit WordPdfWriter(ApplicationFactory factory,
                         std::chrono::milliseconds callLimit = kOfficeRetryLimit)
      : converter_(std::move(factory), callLimit) {}

  bool WritePdf(const std::vector<DocumentPage>& pages, const std::string& pdfPath,
                const std::function<bool()>& pageDone) override;

 private:
  WordDocumentConverter converter_;
};

}  // namespace kalkora::com
