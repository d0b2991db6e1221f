#include "ui/win32/batch_dialog.hpp"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <charconv>
#include <variant>
#include <vector>

#include "core/app/batch_command.hpp"
#include "core/app/batch_messages.hpp"
#include "core/app/batch_preview.hpp"
#include "core/generate/sheet.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/batch_dialog_layout.hpp"
#include "ui/win32/batch_file.hpp"
#include "ui/win32/batch_memory.hpp"
#include "ui/win32/control_ids.hpp"
#include "ui/win32/dialog_window.hpp"
#include "ui/win32/page_preview.hpp"
#include "ui/win32/rule_group.hpp"

namespace kalkora::win32 {
namespace {

constexpr const char* kNoFile = "请选择要保存的文件。";
constexpr const char* kPdfUnavailable = "PDF 不可用：没有 PDF 打印机，也没有安装 Word";
// After a change the preview waits this long for the next one, so that typing a number
// redraws it once.
constexpr UINT kRefreshDelayMs = 30;

// The number a box holds, or nothing when it holds anything but 1 to 9 digits.
std::optional<int> NumberIn(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || text.size() > 9 || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(ToUtf16(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder of an absolute path ("C:\" for a file at a drive's root).
std::string FolderOf(const std::string& path) {
  const std::string folder = path.substr(0, path.find_last_of("\\/"));
  return folder.ends_with(':') ? folder + "\\" : folder;
}

class BatchDialog {
 public:
  BatchDialog(HINSTANCE instance, std::string folder, const BatchDialogInput& input,
              BatchMemory memory, BatchSubmit submit)
      : instance_(instance),
        folder_(std::move(folder)),
        input_(input),
        memory_(std::move(memory)),
        pdfAvailable_(input.pdfAvailable),
        submit_(std::move(submit)) {
    if (!memory_.folder.empty() && IsFolder(memory_.folder)) folder_ = memory_.folder;
    if (!pdfAvailable_) memory_.format = DocumentFormat::Docx;
  }

  void Ask(HWND owner, const std::string& settingsSummary) {
    if (!RegisterDialogClass(instance_, kBatchDialogClass, WindowProc, IDC_ARROW) ||
        !RegisterPagePreviewClass(instance_)) {
      return;
    }
    dialog_ = CreateDialogFrame(owner, instance_, kBatchDialogClass, BatchDialogLayout(), this);
    if (!dialog_) return;
    if (CreateDialogControls(dialog_, instance_, BatchDialogLayout(), font_.get())) {
      Fill(settingsSummary);
      Refresh();  // the dialog opens with its preview
      RunModal(dialog_, owner, done_);
    }
    KillTimer(dialog_, kPreviewTimerId);
    DestroyWindow(dialog_);
  }

 private:
  void Fill(const std::string& settingsSummary) {
    SetControlText(dialog_, kBatchSettings, settingsSummary);
    SendDlgItemMessageW(dialog_, kBatchSheetsSpin, UDM_SETRANGE32, 1, kMostSheets);
    // Room for more digits than the limit takes: a larger count stays as typed, and 生成 says
    // what the limit is, instead of the box dropping digits without a word.
    SendDlgItemMessageW(dialog_, kBatchSheets, EM_SETLIMITTEXT, 9, 0);
    SetControlText(dialog_, kBatchSheets, std::to_string(memory_.sheets));
    CheckDlgButton(dialog_, kBatchAnswers, memory_.answers ? BST_CHECKED : BST_UNCHECKED);
    for (const char* format :
         {"Word 文档 (.docx)", pdfAvailable_ ? "PDF (.pdf)" : "PDF (.pdf)：不可用"}) {
      SendDlgItemMessageW(dialog_, kBatchFormat, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(ToUtf16(format).c_str()));
    }
    if (!pdfAvailable_) SetControlText(dialog_, kBatchFormatNote, kPdfUnavailable);
    SendDlgItemMessageW(dialog_, kBatchFormat, CB_SETCURSEL,
                        memory_.format == DocumentFormat::Pdf ? 1 : 0, 0);
    SetControlText(dialog_, kBatchFile,
                   WithFormatExtension(DefaultBatchPath(folder_, input_.today), memory_.format));
    SendDlgItemMessageW(dialog_, kBatchFirstCode, EM_SETLIMITTEXT, 6, 0);
    if (memory_.firstCode) {
      SetControlText(dialog_, kBatchFirstCode, std::to_string(*memory_.firstCode));
    }
    SendDlgItemMessageW(dialog_, kBatchFirstCode, EM_SETCUEBANNER, TRUE,
                        reinterpret_cast<LPARAM>(L"留空则随机"));
    FillRuleGroup(dialog_, memory_.rules);
    SendDlgItemMessageW(dialog_, kBatchTitle, EM_SETCUEBANNER, TRUE,
                        reinterpret_cast<LPARAM>(L"数学作业练习"));
    SetControlText(dialog_, kBatchTitle, memory_.title);
    CheckDlgButton(dialog_, kBatchNameLine, memory_.nameLine ? BST_CHECKED : BST_UNCHECKED);
    SetFocus(GetDlgItem(dialog_, kBatchSheets));
  }

  DocumentFormat Format() const {
    return SendDlgItemMessageW(dialog_, kBatchFormat, CB_GETCURSEL, 0, 0) == 1
               ? DocumentFormat::Pdf
               : DocumentFormat::Docx;
  }

  // The rules the group sets, or why they cannot be read or met; the settings above follow a
  // preset's kind and range.
  std::variant<SheetRules, UserMessage> Rules() {
    std::variant<SheetRules, UserMessage> rules = ReadRuleFields(ReadRuleGroup(dialog_));
    if (const auto* read = std::get_if<SheetRules>(&rules)) {
      const SheetSettings settings = WithRules(input_.form, *read);
      SetControlText(dialog_, kBatchSettings, SettingsSummary(settings));
      if (std::optional<UserMessage> conflict = RulesConflict(settings)) return *conflict;
    }
    return rules;
  }

  // What the fields choose, apart from the count and the file, which only 生成 reads.
  BatchChoice Choice(const SheetRules& rules) const {
    BatchChoice chosen;
    chosen.answers = IsDlgButtonChecked(dialog_, kBatchAnswers) == BST_CHECKED;
    const std::string code = Trimmed(ControlText(dialog_, kBatchFirstCode));
    // A code that is no number (pasted past the digits-only box) is taken as 0, out of range.
    if (!code.empty()) chosen.firstCode = NumberIn(code).value_or(0);
    chosen.rules = rules;
    chosen.title = Trimmed(ControlText(dialog_, kBatchTitle));
    chosen.nameLine = IsDlgButtonChecked(dialog_, kBatchNameLine) == BST_CHECKED;
    return chosen;
  }

  void ScheduleRefresh() { SetTimer(dialog_, kPreviewTimerId, kRefreshDelayMs, nullptr); }

  // The preview and 生成 as the fields are now: the first sheet or its key, or the refusal.
  void Refresh() {
    KillTimer(dialog_, kPreviewTimerId);
    const bool answers = IsDlgButtonChecked(dialog_, kBatchAnswers) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog_, kBatchPreviewKey), answers);
    const HWND preview = GetDlgItem(dialog_, kBatchPreview);
    const std::variant<SheetRules, UserMessage> rules = Rules();
    EnableWindow(GetDlgItem(dialog_, IDOK), std::holds_alternative<SheetRules>(rules));
    if (const auto* refusal = std::get_if<UserMessage>(&rules)) {
      return ShowPreviewMessage(preview, refusal->text);
    }
    const bool key = answers && IsDlgButtonChecked(dialog_, kBatchPreviewKey) == BST_CHECKED;
    BatchPreview shown = PreviewBatch(input_, Choice(std::get<SheetRules>(rules)), key);
    if (shown.page) {
      ShowPreviewPage(preview, std::move(*shown.page));
    } else {
      ShowPreviewMessage(preview, shown.refusal.text);
    }
  }

  // Where a change shows: the preset fills the group, and the preview is redrawn soon.
  void FollowChange(int id, WORD notification) {
    const bool edited = notification == EN_CHANGE &&
                        (IsRuleField(id) || id == kBatchTitle || id == kBatchFirstCode);
    const bool chosen = notification == CBN_SELCHANGE && IsRuleField(id);
    const bool ticked =
        notification == BN_CLICKED &&
        (IsRuleField(id) || id == kBatchAnswers || id == kBatchNameLine || id == kBatchPreviewKey);
    if (chosen && id == kBatchPreset) FollowPreset(dialog_);
    if (edited || chosen || ticked) ScheduleRefresh();
  }

  void Warn(const std::string& text, int focus) {
    ::MessageBoxW(dialog_, ToUtf16(text).c_str(), ToUtf16(kBatchCaption).c_str(),
                  MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(dialog_, focus));
  }

  void FollowFormat() {
    // The unavailable PDF is listed so that the user sees it and its reason, but not taken.
    if (!pdfAvailable_) SendDlgItemMessageW(dialog_, kBatchFormat, CB_SETCURSEL, 0, 0);
    SetControlText(dialog_, kBatchFile,
                   WithFormatExtension(ControlText(dialog_, kBatchFile), Format()));
  }

  void Browse() {
    using namespace std::string_literals;  // the filter's pairs are separated by nulls
    const std::wstring filter = Format() == DocumentFormat::Pdf ? L"PDF (*.pdf)\0*.pdf\0"s
                                                                : L"Word 文档 (*.docx)\0*.docx\0"s;
    std::wstring file = ToUtf16(AbsoluteIn(folder_, Trimmed(ControlText(dialog_, kBatchFile))));
    file.resize(std::max<std::size_t>(file.size() + 1, 32768), L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = dialog_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = L"保存题卡";
    // The replace question comes with 生成, for the key's file too.
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetSaveFileNameW(&dialog)) return;
    file.resize(wcsnlen(file.c_str(), file.size()));
    SetControlText(dialog_, kBatchFile, WithFormatExtension(ToUtf8(file), Format()));
  }

  void Accept() {
    // A 生成 that comes before the redraw (Enter pressed at once after a change) still meets
    // the rules' refusal.
    const std::variant<SheetRules, UserMessage> rules = Rules();
    if (const auto* refusal = std::get_if<UserMessage>(&rules)) {
      Refresh();
      return Warn(refusal->text, kBatchPreset);
    }
    const std::optional<int> sheets = NumberIn(Trimmed(ControlText(dialog_, kBatchSheets)));
    if (!sheets || *sheets < 1 || *sheets > kMostSheets) {
      return Warn(SheetCountMessage().text, kBatchSheets);
    }
    const std::string typed = Trimmed(ControlText(dialog_, kBatchFile));
    if (typed.empty()) return Warn(kNoFile, kBatchFile);
    BatchChoice chosen = Choice(std::get<SheetRules>(rules));
    chosen.sheets = *sheets;
    chosen.path = AbsoluteIn(folder_, WithFormatExtension(typed, Format()));
    if (chosen.firstCode && !IsSheetCode(*chosen.firstCode)) {
      return Warn(SheetCodeMessage().text, kBatchFirstCode);
    }
    if (!MayReplace(dialog_, BatchFiles(chosen.path, chosen.answers))) return;
    SetControlText(dialog_, kBatchFile, chosen.path);
    SaveBatchMemory({chosen.sheets, chosen.answers, Format(), FolderOf(chosen.path),
                     chosen.firstCode, ReadRuleGroup(dialog_), chosen.title, chosen.nameLine});
    // The set is made while the dialog is up (its progress and questions stand over it), so
    // that a failure leaves it open with what the user chose.
    const BatchSubmission submitted = submit_(chosen);
    if (submitted.error) {
      ::MessageBoxW(dialog_, ToUtf16(submitted.error->text).c_str(),
                    ToUtf16(submitted.error->caption).c_str(), MB_OK | MB_ICONWARNING);
    }
    done_ = submitted.close;
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<BatchDialog*>(DialogSelf(window, message, lParam));
    if (self && message == WM_TIMER && wParam == kPreviewTimerId) {
      self->Refresh();
      return 0;
    }
    if (self && message == WM_COMMAND) {
      self->FollowChange(LOWORD(wParam), HIWORD(wParam));
      switch (LOWORD(wParam)) {
        case IDOK:
          self->Accept();
          return 0;
        case IDCANCEL:
          self->done_ = true;
          return 0;
        case kBatchBrowse:
          if (HIWORD(wParam) == BN_CLICKED) self->Browse();
          return 0;
        case kBatchFormat:
          if (HIWORD(wParam) == CBN_SELCHANGE) self->FollowFormat();
          return 0;
      }
    }
    if (self && message == WM_CLOSE) {
      self->done_ = true;
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HINSTANCE instance_;
  std::string folder_;
  BatchDialogInput input_;
  BatchMemory memory_;
  bool pdfAvailable_;
  DialogFont font_;
  HWND dialog_ = nullptr;
  bool done_ = false;
  BatchSubmit submit_;
};

}  // namespace

void AskForBatch(HWND owner, HINSTANCE instance, const BatchDialogInput& input,
                 const BatchSubmit& submit) {
  BatchDialog dialog(instance, DocumentsFolder(), input, LoadBatchMemory(), submit);
  dialog.Ask(owner, SettingsSummary(input.form));
}

}  // namespace kalkora::win32
