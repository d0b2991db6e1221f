#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/clock.hpp"
#include "core/base/controls.hpp"
#include "core/base/document_converter.hpp"
#include "core/base/message_box.hpp"
#include "core/generate/sheet_settings.hpp"

namespace kalkora {

enum class DocumentFormat { Docx, Pdf };

// The most sheets one class set holds.
inline constexpr int kMostSheets = 500;

struct BatchRequest {
  int sheets = 1;                // 1 to kMostSheets
  std::optional<int> firstCode;  // 100000-999999; none: random
  bool answers = false;          // also write the key beside the file
  LocalDateTime date;            // for the date line
  std::string outputPath;        // UTF-8; .docx or .pdf decides the format
};

enum class BatchOutcome { Written, Refused, UsageError, NotWritten, NoConverter, Cancelled };

struct BatchResult {
  BatchOutcome outcome = BatchOutcome::NotWritten;
  UserMessage message;             // what went wrong; empty when written
  std::vector<std::string> files;  // the files written: the sheets, then the key
};

// The format an output path asks for by its extension (either case); none for any other.
std::optional<DocumentFormat> FormatOfPath(const std::string& outputPath);

// Writes a class set: `request.sheets` sheets from the settings, validated with
// ValidateSettings first (Refused carries the refusal's message), into one file, and with
// `answers` their key beside it.
// Each file is written to a temporary file in the target folder and renamed over the target,
// so an existing file is replaced only by a whole new one; whatever fails or is cancelled
// leaves no partial or temporary file. A PDF is converted from a temporary .docx, which is
// removed. progress(done, total) is called after each sheet; returning false cancels.
// randomCode gives the first code when the request has none (100000-999999).
// converter: null when none is available (NoConverter for a PDF).
BatchResult RunBatch(const SheetSettings& settings, const BatchRequest& request,
                     DocumentConverter* converter,
                     const std::function<bool(int done, int total)>& progress,
                     const std::function<int()>& randomCode);

// The key's file beside the output: its stem + "-答案" + its extension.
std::string AnswerKeyPath(const std::string& outputPath);

// The command line's exit status for an outcome: 0 written, 2 refused or usage error,
// 3 not written, 4 no converter (a cancelled run has no command-line status; 1).
int BatchExitCode(BatchOutcome outcome);

}  // namespace kalkora
