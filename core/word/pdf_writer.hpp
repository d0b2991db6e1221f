#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/word/docx_writer.hpp"

namespace kalkora {

// Writes pages as a PDF file, through whatever the platform draws or exports PDF with.
class PdfWriter {
 public:
  virtual ~PdfWriter();

  // Writes `pages` as one PDF file at `pdfPath` (UTF-8), a page each. pageDone is called after
  // each page; when it returns false the writing stops. True when the whole file was written;
  // on false, whatever is at pdfPath is incomplete and the caller removes it.
  virtual bool WritePdf(const std::vector<DocumentPage>& pages, const std::string& pdfPath,
                        const std::function<bool()>& pageDone) = 0;
};

}  // namespace kalkora
