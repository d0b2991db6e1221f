#include "fakes/fake_document_converter.hpp"

#include <fstream>

#include "core/app/pending_file.hpp"
#include "fakes/file_bytes.hpp"

namespace kalkora::testing {

bool FakeDocumentConverter::ConvertToPdf(const std::string& docxPath, const std::string& pdfPath) {
  const std::string bytes = FileBytes(PathFromUtf8(docxPath));
  calls.push_back({docxPath, pdfPath, bytes});
  if (behaviour == Behaviour::Fail) return false;
  std::ofstream out(PathFromUtf8(pdfPath), std::ios::binary);
  out << "%PDF-";
  if (behaviour == Behaviour::FailLeavingAPartialFile) return false;
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace kalkora::testing
