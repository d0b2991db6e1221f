#include "core/app/batch_command.hpp"

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>

#include "core/app/batch_messages.hpp"
#include "core/app/pending_file.hpp"
#include "core/generate/sheet.hpp"
#include "core/generate/validate_settings.hpp"
#include "core/word/docx_writer.hpp"
#include "core/word/sheet_pages.hpp"

namespace kalkora {
namespace {

// One file of the set: the sheets, or their key.
struct Document {
  std::string path;
  std::vector<DocumentPage> pages;
};

bool IsRealDate(const LocalDateTime& when) {
  using namespace std::chrono;
  const year_month_day date{year{when.year}, month{static_cast<unsigned>(when.month)},
                            day{static_cast<unsigned>(when.day)}};
  return when.year >= 1 && when.year <= 9999 && date.ok() && when.hour >= 0 && when.hour < 24 &&
         when.minute >= 0 && when.minute < 60 && when.second >= 0 && when.second < 60;
}

// The time inside the zip container: the request's, where zip can store it.
ZipTime StampOf(const LocalDateTime& when) {
  if (when.year < 1980 || when.year > 2107) return {};
  return {when.year, when.month, when.day, when.hour, when.minute, when.second};
}

std::optional<UserMessage> RequestProblem(const BatchRequest& request) {
  if (request.sheets < 1 || request.sheets > kMostSheets) return SheetCountMessage();
  if (request.firstCode && !IsSheetCode(*request.firstCode)) return SheetCodeMessage();
  if (!FormatOfPath(request.outputPath)) return FileTypeMessage(request.outputPath);
  if (!IsRealDate(request.date)) return DateMessage();
  return std::nullopt;
}

BatchResult Failure(BatchOutcome outcome, UserMessage message,
                    std::vector<std::string> files = {}) {
  return {outcome, std::move(message), std::move(files)};
}

// Writes every document to a temporary file beside its target (through a temporary .docx and
// the converter for a PDF), and only when all are whole renames them over their targets.
BatchResult WriteDocuments(const std::vector<Document>& documents, DocumentFormat format,
                           DocumentConverter* converter, ZipTime stamp) {
  std::vector<std::unique_ptr<PendingFile>> finished;
  std::vector<std::unique_ptr<PendingFile>> converted;  // the .docx behind each PDF
  std::error_code error;
  for (const Document& document : documents) {
    // Absolute, so that the converter (another process) finds the files wherever it runs.
    const std::filesystem::path target =
        std::filesystem::absolute(PathFromUtf8(document.path), error);
    if (error) {
      return Failure(BatchOutcome::NotWritten, NotWrittenMessage(document.path, error.message()));
    }
    if (std::filesystem::is_directory(target, error)) {
      return Failure(BatchOutcome::NotWritten, NotWrittenMessage(document.path, "这是一个文件夹"));
    }
    auto docx = std::make_unique<PendingFile>(target, ".docx");
    if (!docx->Write(WriteDocx(document.pages, stamp), error)) {
      return Failure(BatchOutcome::NotWritten, NotWrittenMessage(document.path, error.message()));
    }
    if (format == DocumentFormat::Docx) {
      finished.push_back(std::move(docx));
      continue;
    }
    auto pdf = std::make_unique<PendingFile>(target, ".pdf");
    if (!converter->ConvertToPdf(Utf8FromPath(docx->Path()), Utf8FromPath(pdf->Path())) ||
        !std::filesystem::is_regular_file(pdf->Path(), error)) {
      return Failure(BatchOutcome::NoConverter, ConversionFailedMessage(document.path));
    }
    converted.push_back(std::move(docx));
    finished.push_back(std::move(pdf));
  }
  std::vector<std::string> written;
  for (std::size_t i = 0; i < finished.size(); ++i) {
    if (!finished[i]->Commit(error)) {
      return Failure(BatchOutcome::NotWritten,
                     NotWrittenMessage(documents[i].path, error.message()), written);
    }
    written.push_back(documents[i].path);
  }
  return {BatchOutcome::Written, {}, written};
}

}  // namespace

std::optional<DocumentFormat> FormatOfPath(const std::string& outputPath) {
  std::string extension = Utf8FromPath(PathFromUtf8(outputPath).extension());
  std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  if (extension == ".docx") return DocumentFormat::Docx;
  if (extension == ".pdf") return DocumentFormat::Pdf;
  return std::nullopt;
}

std::string AnswerKeyPath(const std::string& outputPath) {
  std::filesystem::path path = PathFromUtf8(outputPath);
  const std::string name = Utf8FromPath(path.stem()) + "-答案" + Utf8FromPath(path.extension());
  path.replace_filename(PathFromUtf8(name));
  return Utf8FromPath(path);
}

int BatchExitCode(BatchOutcome outcome) {
  switch (outcome) {
    case BatchOutcome::Written:
      return 0;
    case BatchOutcome::Refused:
    case BatchOutcome::UsageError:
      return 2;
    case BatchOutcome::NotWritten:
      return 3;
    case BatchOutcome::NoConverter:
      return 4;
    case BatchOutcome::Cancelled:
      break;
  }
  return 1;
}

BatchResult RunBatch(const SheetSettings& settings, const BatchRequest& request,
                     DocumentConverter* converter,
                     const std::function<bool(int done, int total)>& progress,
                     const std::function<int()>& randomCode) {
  if (const std::optional<UserMessage> refusal = ValidateSettings(settings)) {
    return Failure(BatchOutcome::Refused, *refusal);
  }
  if (const std::optional<UserMessage> problem = RequestProblem(request)) {
    return Failure(BatchOutcome::UsageError, *problem);
  }
  if (settings.size == 0) return Failure(BatchOutcome::UsageError, NoSheetSizeMessage());
  // Rules that cannot be met are refused before anything is written.
  std::shared_ptr<const RuledDraw> draw;
  if (AnyRuleSet(settings.rules)) {
    std::string refusal;
    draw = RuledDraw::Prepare(settings, refusal);
    if (!draw) return Failure(BatchOutcome::Refused, {refusal, "提示："});
  }
  const DocumentFormat format = *FormatOfPath(request.outputPath);
  if (format == DocumentFormat::Pdf && converter == nullptr) {
    return Failure(BatchOutcome::NoConverter, NoConverterMessage());
  }

  try {
    const int firstCode = request.firstCode ? *request.firstCode : randomCode();
    Document sheets{request.outputPath, {}};
    Document key{AnswerKeyPath(request.outputPath), {}};
    for (int i = 0; i < request.sheets; ++i) {
      const Sheet sheet = MakeSheet(settings, SheetCode(firstCode, i), request.date, draw.get());
      sheets.pages.push_back(WorksheetPage(sheet));
      if (request.answers) key.pages.push_back(AnswerKeyPage(sheet));
      if (progress && !progress(i + 1, request.sheets)) {
        return Failure(BatchOutcome::Cancelled, CancelledMessage());
      }
    }
    std::vector<Document> documents{std::move(sheets)};
    if (request.answers) documents.push_back(std::move(key));
    return WriteDocuments(documents, format, converter, StampOf(request.date));
  } catch (const std::exception& error) {
    return Failure(BatchOutcome::NotWritten, NotWrittenMessage(request.outputPath, error.what()));
  }
}

}  // namespace kalkora
