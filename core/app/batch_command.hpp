#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/base/clock.hpp"
#include "core/base/controls.hpp"
#include "core/base/message_box.hpp"
#include "core/generate/rule_draw.hpp"
#include "core/generate/sheet_settings.hpp"
#include "core/word/pdf_writer.hpp"

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
  std::string title{};           // the pages' title; empty: kSheetTitle
  bool nameLine = false;         // the name line under the heading of the sheets and keys
};

enum class BatchOutcome { Written, Refused, UsageError, NotWritten, NoConverter, Cancelled };

struct BatchResult {
  BatchOutcome outcome = BatchOutcome::NotWritten;
  UserMessage message;             // what went wrong; empty when written
  std::vector<std::string> files;  // the files written: the sheets, then the key
};

// The format an output path asks for by its extension (either case); none for any other.
std::optional<DocumentFormat> FormatOfPath(const std::string& outputPath);

// Writes a class set: `request.sheets` sheets from the settings, validated with ValidateSettings
// first (Refused carries the refusal's message), into one file, and with `answers` their key beside
// it. Each file is written to a temporary file in the target folder and renamed over the target
// only once every file is whole, so an existing file is replaced only by a whole new one;
// whatever fails or is cancelled leaves no partial or temporary file. progress(done, total)
// counts the pages of all files (a .docx's as they are made, a PDF's as they are drawn);
// returning false cancels. randomCode gives the first code when the request has none
// (100000-999999). pdf: null when there is no way to write PDF (NoConverter for a PDF).
BatchResult RunBatch(const SheetSettings& settings, const BatchRequest& request, PdfWriter* pdf,
                     const std::function<bool(int done, int total)>& progress,
                     const std::function<int()>& randomCode);

// Whether a set can be made from the settings: none, with `draw` set to the prepared rules
// (null for the classic sheets); or the refusal of the settings or of their rules, naming the
// rules as `naming` says.
std::optional<UserMessage> SettingsRefusal(const SheetSettings& settings,
                                           std::shared_ptr<const RuledDraw>& draw,
                                           RuledDraw::Naming naming = RuledDraw::Naming::Options);

// A page of the set as the request wants it: its title, and the name line under the heading.
DocumentPage AsRequested(DocumentPage page, const BatchRequest& request);

// The key's file beside the output: its stem + "-答案" + its extension.
std::string AnswerKeyPath(const std::string& outputPath);

// The command line's exit status for an outcome: 0 written, 2 refused or usage error,
// 3 not written, 4 no way to write PDF (a cancelled run has no command-line status; 1).
int BatchExitCode(BatchOutcome outcome);

}  // namespace kalkora
