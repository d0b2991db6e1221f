#pragma once

#include <string>
#include <vector>

#include "core/word/pdf_writer.hpp"

namespace kalkora::testing {

// Records each file it is asked for. Writing puts "%PDF-" and then each page's cells, a line a
// page, at the path, telling pageDone after each page as a painter would; a failing writer can
// leave a partial file behind, as a dying one might.
class FakePdfWriter : public PdfWriter {
 public:
  enum class Behaviour { Write, Fail, FailLeavingAPartialFile };

  bool WritePdf(const std::vector<DocumentPage>& pages, const std::string& pdfPath,
                const std::function<bool()>& pageDone) override;

  Behaviour behaviour = Behaviour::Write;
  struct Call {
    std::string pdfPath;
    std::vector<DocumentPage> pages;
  };
  std::vector<Call> calls;
};

}  // namespace kalkora::testing
