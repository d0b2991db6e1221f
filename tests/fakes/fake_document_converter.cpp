#include "fakes/fake_document_converter.hpp"

#include <fstream>
#include <sstream>

#include "core/app/pending_file.hpp"

namespace kalkora::testing {

bool FakeDocumentConverter::ConvertToPdf(const std::string& docxPath, const std::string& pdfPath) {
  std::ifstream in(PathFromUtf8(docxPath), std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  const std::string bytes = contents.str();
  calls.push_back({docxPath, pdfPath, bytes});
  if (behaviour == Behaviour::Fail) return false;
  std::ofstream out(PathFromUtf8(pdfPath), std::ios::binary);
  out << "%PDF-";
  if (behaviour == Behaviour::FailLeavingAPartialFile) return false;
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace kalkora::testing
