#include "core/app/batch_command.hpp"

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>

#include "core/app/batch_messages.hpp"
#include "core/app/file_error_text.hpp"
#include "core/app/file_set_placement.hpp"
#include "core/app/pending_file.hpp"
#include "core/generate/sheet.hpp"
#include "core/generate/validate_settings.hpp"
#include "core/word/docx_writer.hpp"
#include "core/word/page_layout.hpp"
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
  if (!request.title.empty() && !TitleFits(request.title)) return TitleMessage(TitleLimit());
  return std::nullopt;
}

BatchResult Failure(BatchOutcome outcome, UserMessage message,
                    std::vector<std::string> files = {}) {
  return {outcome, std::move(message), std::move(files)};
}

BatchResult NotWritten(const Document& document, const std::filesystem::path& target,
                       const std::error_code& error) {
  return Failure(BatchOutcome::NotWritten,
                 NotWrittenMessage(document.path, FileErrorText(error, target)));
}

// Writes every document to a temporary file beside its target (a PDF through the PDF writer),
// and only when all are whole puts them in place together. `pageDone` is told of each page of
// a PDF as it is drawn; false from it cancels.
BatchResult WriteDocuments(const std::vector<Document>& documents, DocumentFormat format,
                           PdfWriter* pdf, ZipTime stamp, const std::function<bool()>& pageDone) {
  std::vector<std::filesystem::path> targets;
  std::error_code error;
  for (const Document& document : documents) {
    targets.push_back(std::filesystem::absolute(PathFromUtf8(document.path), error));
    if (error) return NotWritten(document, PathFromUtf8(document.path), error);
    if (const std::optional<std::error_code> refusal = TargetRefusal(targets.back())) {
      return NotWritten(document, targets.back(), *refusal);
    }
  }
  RemoveLeftoversOfEndedWriters(targets.front().parent_path());

  std::vector<std::unique_ptr<PendingFile>> finished;
  bool cancelled = false;
  const auto countPage = [&] { return !(cancelled = !pageDone()); };
  for (std::size_t i = 0; i < documents.size(); ++i) {
    if (format == DocumentFormat::Docx) {
      auto docx = std::make_unique<PendingFile>(targets[i], ".docx");
      if (!docx->Write(WriteDocx(documents[i].pages, stamp), error)) {
        return NotWritten(documents[i], targets[i], error);
      }
      finished.push_back(std::move(docx));
      continue;
    }
    auto file = std::make_unique<PendingFile>(targets[i], ".pdf");
    const bool written = pdf->WritePdf(documents[i].pages, Utf8FromPath(file->Path()), countPage);
    if (cancelled) return Failure(BatchOutcome::Cancelled, CancelledMessage());
    if (!written || !std::filesystem::is_regular_file(file->Path(), error)) {
      return Failure(BatchOutcome::NoConverter, ConversionFailedMessage(documents[i].path));
    }
    finished.push_back(std::move(file));
  }
  std::vector<PendingFile*> files;
  for (const auto& file : finished) files.push_back(file.get());
  if (const std::optional<PlacementFailure> failure = PutInPlaceTogether(files)) {
    return NotWritten(documents[failure->file], targets[failure->file], failure->error);
  }
  std::vector<std::string> written;
  for (const Document& document : documents) written.push_back(document.path);
  return {BatchOutcome::Written, {}, written};
}

}  // namespace

DocumentPage AsRequested(DocumentPage page, const BatchRequest& request) {
  if (!request.title.empty()) page.title = request.title;
  if (request.nameLine) page.underHeading.push_back(kNameLine);
  return page;
}

std::optional<UserMessage> SettingsRefusal(const SheetSettings& settings,
                                           std::shared_ptr<const RuledDraw>& draw,
                                           RuledDraw::Naming naming) {
  draw.reset();
  if (std::optional<UserMessage> refusal = ValidateSettings(settings)) return refusal;
  if (settings.size == 0) return NoSheetSizeMessage();
  if (!AnyRuleSet(settings.rules)) return std::nullopt;
  // Rules that cannot be met are refused before anything is drawn.
  std::string refusal;
  draw = RuledDraw::Prepare(settings, refusal, naming);
  if (!draw) return UserMessage{refusal, "提示："};
  return std::nullopt;
}

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

BatchResult RunBatch(const SheetSettings& settings, const BatchRequest& request, PdfWriter* pdf,
                     const std::function<bool(int done, int total)>& progress,
                     const std::function<int()>& randomCode) {
  if (const std::optional<UserMessage> refusal = ValidateSettings(settings)) {
    return Failure(BatchOutcome::Refused, *refusal);
  }
  if (const std::optional<UserMessage> problem = RequestProblem(request)) {
    return Failure(BatchOutcome::UsageError, *problem);
  }
  if (settings.size == 0) return Failure(BatchOutcome::UsageError, NoSheetSizeMessage());
  std::shared_ptr<const RuledDraw> draw;
  if (const std::optional<UserMessage> refusal = SettingsRefusal(settings, draw)) {
    return Failure(BatchOutcome::Refused, *refusal);
  }
  const DocumentFormat format = *FormatOfPath(request.outputPath);
  if (format == DocumentFormat::Pdf && pdf == nullptr) {
    return Failure(BatchOutcome::NoConverter, NoConverterMessage());
  }

  try {
    const int firstCode = request.firstCode ? *request.firstCode : randomCode();
    Document sheets{request.outputPath, {}};
    Document key{AnswerKeyPath(request.outputPath), {}};
    const int total = request.sheets * (request.answers ? 2 : 1);
    int done = 0;
    // A .docx's pages count as they are made; a PDF's as they are drawn, which takes longer.
    const auto pageDone = [&] { return !progress || progress(++done, total); };
    const bool countMade = format == DocumentFormat::Docx;
    for (int i = 0; i < request.sheets; ++i) {
      const Sheet sheet = MakeSheet(settings, SheetCode(firstCode, i), request.date, draw.get());
      sheets.pages.push_back(AsRequested(WorksheetPage(sheet), request));
      if (request.answers) key.pages.push_back(AsRequested(AnswerKeyPage(sheet), request));
      const bool goOn = countMade ? pageDone() && (!request.answers || pageDone())
                                  : !progress || progress(0, total);
      if (!goOn) return Failure(BatchOutcome::Cancelled, CancelledMessage());
    }
    std::vector<Document> documents{std::move(sheets)};
    if (request.answers) documents.push_back(std::move(key));
    return WriteDocuments(documents, format, pdf, StampOf(request.date), pageDone);
  } catch (const std::filesystem::filesystem_error& error) {
    return Failure(
        BatchOutcome::NotWritten,
        NotWrittenMessage(request.outputPath, FileErrorText(error.code(), error.path1())));
  } catch (const std::exception& error) {
    return Failure(BatchOutcome::NotWritten, NotWrittenMessage(request.outputPath, error.what()));
  }
}

}  // namespace kalkora
