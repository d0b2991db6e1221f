#include "fakes/fake_pdf_writer.hpp"

#include <fstream>

#include "core/app/pending_file.hpp"

namespace kalkora::testing {

bool FakePdfWriter::WritePdf(const std::vector<DocumentPage>& pages, const std::string& pdfPath,
                             const std::function<bool()>& pageDone) {
  calls.push_back({pdfPath, pages});
  if (behaviour == Behaviour::Fail) return false;
  std::ofstream out(PathFromUtf8(pdfPath), std::ios::binary);
  out << "%PDF-";
  if (behaviour == Behaviour::FailLeavingAPartialFile) return false;
  for (const DocumentPage& page : pages) {
    for (const std::string& cell : page.cells) out << cell << '\t';
    out << '\n';
    if (pageDone && !pageDone()) return false;
  }
  return static_cast<bool>(out);
}

}  // namespace kalkora::testing
