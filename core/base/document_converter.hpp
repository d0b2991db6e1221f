#pragma once

#include <string>

namespace kalkora {

// Turns a written .docx file into a .pdf file, through whatever office the platform has.
class DocumentConverter {
 public:
  virtual ~DocumentConverter();

  // Both paths UTF-8. True when the PDF was written; false leaves no file at pdfPath.
  virtual bool ConvertToPdf(const std::string& docxPath, const std::string& pdfPath) = 0;
};

}  // namespace kalkora
