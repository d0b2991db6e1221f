#pragma once

#include <string>
#include <vector>

#include "core/base/document_converter.hpp"

namespace kalkora::testing {

// Records each conversion. Converting writes "%PDF-" and the .docx bytes to the PDF path; a
// failing converter can leave a partial file behind, as a dying office might.
class FakeDocumentConverter : public DocumentConverter {
 public:
  enum class Behaviour { Convert, Fail, FailLeavingAPartialFile };

  bool ConvertToPdf(const std::string& docxPath, const std::string& pdfPath) override;

  Behaviour behaviour = Behaviour::Convert;
  struct Call {
    std::string docxPath;
    std::string pdfPath;
    std::string docxBytes;  // what the .docx held when it was converted
  };
  std::vector<Call> calls;
};

}  // namespace kalkora::testing
