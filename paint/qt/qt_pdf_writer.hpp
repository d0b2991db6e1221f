#pragma once

#include "core/word/pdf_writer.hpp"

namespace kalkora::qt {

// Draws the pages' layouts through QPdfWriter: A4, one unit a twip, the face embedded as a
// subset and the texts selectable. Needs a QGuiApplication (the offscreen platform will do).
class QtPdfWriter : public PdfWriter {
 public:
  bool WritePdf(const std::vector<DocumentPage>& pages, const std::string& pdfPath,
                const std::function<bool()>& pageDone) override;
};

}  // namespace kalkora::qt
