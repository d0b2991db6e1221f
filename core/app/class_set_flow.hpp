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
};

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
  // The 批量生成 dialog over the window: the choice, or nothing when the user cancels. Without
  // a PDF route the dialog shows PDF as unavailable.
  virtual std::optional<BatchChoice> AskForBatch(const std::string& settingsSummary,
                                                 const LocalDateTime& today, bool pdfAvailable) = 0;
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
// reports the end (panel 1 "已生成 N 份题卡", or the failure's message) and opens what was
// written, saying in one message which files nothing could open.
void RunClassSet(ClassSetParts parts);

// The settings a class set is made from: the form's, with the dialog's rules. A preset among
// them also sets the kind and both ranges and turns decimals off, as --preset does.
SheetSettings WithRules(const SheetSettings& form, const SheetRules& rules);

// Whether the settings' rules can be met: the refusal to show while the dialog's rules are
// being chosen (and 生成 stays disabled), or none.
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
