#pragma once

#include <string>
#include <utility>

#include "core/word/pdf_writer.hpp"

namespace kalkora::win32 {

// The printer that Windows 10 and later install, which writes what is printed to a PDF file.
inline constexpr wchar_t kPdfPrinter[] = L"Microsoft Print to PDF";

// Whether that printer is installed on this computer or connected to it.
bool PdfPrinterInstalled();

// PDF through a printer that prints to files: one A4 portrait job printed to the output path,
// each page drawn over the whole paper by the GDI page painter, and awaited until the spooler
// has written the file. A missing printer gives false and touches no file; a failed page, a
// cancel or a job that ends in error is aborted, its file removed, and gives false.
class PrinterPdfWriter : public PdfWriter {
 public:
  explicit PrinterPdfWriter(std::wstring printer = kPdfPrinter) : printer_(std::move(printer)) {}

  bool WritePdf(const std::vector<DocumentPage>& pages, const std::string& pdfPath,
                const std::function<bool()>& pageDone) override;

 private:
  std::wstring printer_;
};

}  // namespace kalkora::win32
