#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/app/batch_command.hpp"
#include "core/base/clock.hpp"
#include "core/base/controls.hpp"
#include "core/base/message_box.hpp"
#include "core/generate/sheet.hpp"
#include "core/generate/sheet_settings.hpp"
#include "core/word/pdf_writer.hpp"

namespace kalkora {

// What the user asked for in the 批量生成 dialog.
struct BatchChoice {
  int sheets = 1;
  bool answers = true;
  std::string path;  // absolute, UTF-8, with the format's extension
  std::optional<int> firstCode;
  SheetRules rules = {};  // the 题目要求 group; none set: the classic sheets
  std::string title{};    // replaces 数学作业练习 on the sheets and keys; empty: kept
  bool nameLine = false;  // 班级＿＿＿＿　姓名＿＿＿＿ under the heading
};

// What the 批量生成 dialog is opened with.
struct BatchDialogInput {
  SheetSettings form;  // the form's settings, which the dialog's rules may change
  LocalDateTime today;
  bool pdfAvailable = true;          // false: the dialog shows PDF as unavailable
  int randomCode = kFirstSheetCode;  // the first code when the user gives none, also previewed
};

// What became of a 生成: the dialog closes, or it stays open with what the user chose, showing
// `error` over itself when there is one.
struct BatchSubmission {
  bool close = true;
  std::optional<UserMessage> error;
  friend bool operator==(const BatchSubmission&, const BatchSubmission&) = default;
};
using BatchSubmit = std::function<BatchSubmission(const BatchChoice&)>;

// A question with two answers, the first of them "yes".
struct Question {
  UserMessage message;
  std::string yes;
  std::string no;
  bool defaultNo = false;  // Enter keeps things as they are
};

// A class set reports after each sheet; false once the user has cancelled.
using BatchProgress = std::function<bool(int done, int total)>;

// After this long without an end, a class set shows its progress window.
inline constexpr std::chrono::milliseconds kProgressDelay{1000};

// What a window does for a class set; everything else of the run is decided by RunClassSet.
class ClassSetWindow {
 public:
  virtual ~ClassSetWindow() = default;
  // The 批量生成 dialog over the window, modal, until the user cancels it or a 生成 closes it.
  // Each 生成 whose fields pass the dialog's own checks is handed to `submit`.
  virtual void AskForBatch(const BatchDialogInput& input, const BatchSubmit& submit) = 0;
  // Runs `write` of `sheets` sheets on a thread of its own while the window waits, showing a
  // progress window with 取消 once kProgressDelay has passed. Returns what `write` returned.
  virtual BatchResult WriteWithProgress(
      int sheets, bool toPdf, const std::function<BatchResult(const BatchProgress&)>& write) = 0;
  // Modal; true for the first answer.
  virtual bool Ask(const Question& question) = 0;
  // Opens a written file with what the desktop opens it with; false when nothing does.
  virtual bool OpenFile(const std::string& path) = 0;
  virtual void ShowMessage(const UserMessage& message) = 0;
};

struct ClassSetParts {
  Controls& controls;  // the form: its settings, and panel 1 for the result
  Clock& clock;
  ClassSetWindow& window;
  PdfWriter* converter;  // null: no PDF
};

// 批量生成…: refuses the form's settings as the generate button does, before the dialog opens;
// asks for the set, writes it with progress, offers a .docx when nothing can make the PDF,
// reports the end (panel 1 "已生成 N 份题卡") and opens what was written, saying in one message
// which files nothing could open. A set that is refused or cannot be written keeps the dialog
// open with the failure shown over it; a declined .docx keeps it open too.
void RunClassSet(ClassSetParts parts);

// The settings a class set is made from: the form's, with the dialog's rules. A preset among
// them also sets the kind and both ranges and turns decimals off, as --preset does.
SheetSettings WithRules(const SheetSettings& form, const SheetRules& rules);

// Whether the settings' rules can be met: the refusal to show while the dialog's rules are
// being chosen (and 生成 stays disabled), naming the dialog's fields, or none.
std::optional<UserMessage> RulesConflict(const SheetSettings& settings);

// The settings a class set is made from, in words: "加法运算题，每份 18 题，1 到 100".
std::string SettingsSummary(const SheetSettings& settings);

// A first code for a set whose user gave none: 100000-999999 from the system's randomness.
int RandomSheetCode();

// The files a class set writes: the sheets' file and, with answers, the key beside it.
std::vector<std::string> BatchFiles(const std::string& path, bool answers);

// The path with the format's extension: a .docx or .pdf ending (either case) is replaced, any
// other name gets the extension added. An empty path stays empty.
std::string WithFormatExtension(const std::string& path, DocumentFormat format);

// Asks before files are replaced: true when none of `files` exists or the user agrees to
// replace those that do. The question defaults to keeping them.
bool MayReplace(ClassSetWindow& window, const std::vector<std::string>& files);

}  // namespace kalkora
