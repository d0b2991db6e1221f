#include "office/com/word_pdf_writer.hpp"

#include <windows.h>

#include <fstream>

#include "core/word/docx_writer.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora::com {

bool WordPdfWriter::WritePdf(const std::vector<DocumentPage>& pages, const std::string& pdfPath,
                             const std::function<bool()>& pageDone) {
  const std::string docxPath = pdfPath + ".docx";
  const std::wstring docxWide = win32::ToUtf16(docxPath);
  bool exported = false;
  {
    std::ofstream out(docxWide.c_str(), std::ios::binary);
    const std::string bytes = WriteDocx(pages, {});
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    exported = out && converter_.ConvertToPdf(docxPath, pdfPath);
  }
  DeleteFileW(docxWide.c_str());
  for (std::size_t i = 0; exported && i < pages.size(); ++i) {
    if (pageDone && !pageDone()) return false;
  }
  return exported;
}

}  // namespace kalkora::com
