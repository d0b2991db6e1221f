#pragma once

#include <chrono>
#include <ostream>

#include "core/base/document_converter.hpp"

namespace kalkora::cli {

// The progress line on standard error: shown once a run has taken a second, rewritten in
// place after each sheet and ended by Finish.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& out);

  bool Update(int done, int total);
  // Says what the office is doing now, on a line of its own.
  void Converting();
  void Finish();

 private:
  std::ostream& out_;
  std::chrono::steady_clock::time_point start_;
  bool open_ = false;
};

// Passes conversions on, telling the progress line first: a conversion always takes seconds.
class ReportingConverter : public DocumentConverter {
 public:
  ReportingConverter(DocumentConverter& converter, ProgressLine& line)
      : converter_(converter), line_(line) {}

  bool ConvertToPdf(const std::string& docxPath, const std::string& pdfPath) override {
    line_.Converting();
    return converter_.ConvertToPdf(docxPath, pdfPath);
  }

 private:
  DocumentConverter& converter_;
  ProgressLine& line_;
};

}  // namespace kalkora::cli
