#pragma once

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "core/base/document_converter.hpp"

namespace kalkora::uno {

struct UnoConverterOptions {
  std::string officeProgram;  // soffice to start; empty: the one on the search path
  // For one conversion, the office's start included.
  std::chrono::milliseconds timeLimit{120000};
  // For the office to end once asked to, before it is killed.
  std::chrono::milliseconds stopLimit{5000};
};

// Converts .docx files to PDF in a headless office of its own: its own pipe, profile and
// cache in a private temporary folder, never the window's office on "kalkora-<uid>". The
// office starts at the first conversion and serves the next ones; when the converter goes it
// is asked to terminate, waited for by its process id and killed by it if it has not ended
// within the stop limit, and the folder is removed. A conversion that outlasts the time limit
// kills the office and fails; the next one starts another.
class UnoDocumentConverter : public DocumentConverter {
 public:
  UnoDocumentConverter();
  explicit UnoDocumentConverter(UnoConverterOptions options);
  ~UnoDocumentConverter() override;
  UnoDocumentConverter(const UnoDocumentConverter&) = delete;
  UnoDocumentConverter& operator=(const UnoDocumentConverter&) = delete;

  bool ConvertToPdf(const std::string& docxPath, const std::string& pdfPath) override;

  // The running office's process id, if one runs.
  std::optional<pid_t> OfficePid();
  // Asks the office to end and waits for it (killing it after the stop limit).
  void StopOffice();
  // From any thread: kills the office, so that a conversion under way fails at once, and
  // fails every later one.
  void Abort();

 private:
  struct Office;

  UnoConverterOptions options_;
  std::unique_ptr<Office> office_;
  std::atomic<bool> aborted_{false};
};

}  // namespace kalkora::uno
