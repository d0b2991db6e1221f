#include "ui/win32/batch_dialog.hpp"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <charconv>
#include <vector>

#include "core/app/batch_command.hpp"
#include "core/app/batch_messages.hpp"
#include "core/generate/sheet.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/batch_dialog_layout.hpp"
#include "ui/win32/batch_file.hpp"
#include "ui/win32/dialog_window.hpp"

namespace kalkora::win32 {
namespace {

constexpr const char* kFormats[] = {"Word 文档 (.docx)", "PDF (.pdf)"};
constexpr const char* kNoFile = "请选择要保存的文件。";

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

class BatchDialog {
 public:
  BatchDialog(HINSTANCE instance, std::string folder, std::string defaultPath)
      : instance_(instance), folder_(std::move(folder)), defaultPath_(std::move(defaultPath)) {}

  std::optional<BatchChoice> Ask(HWND owner, const std::string& settingsSummary) {
    if (!RegisterDialogClass(instance_, kBatchDialogClass, WindowProc, IDC_ARROW))
      return std::nullopt;
    dialog_ = CreateDialogFrame(owner, instance_, kBatchDialogClass, BatchDialogLayout(), this);
    if (!dialog_) return std::nullopt;
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (CreateDialogControls(dialog_, instance_, BatchDialogLayout(), font)) {
      Fill(settingsSummary);
      RunModal(dialog_, owner, done_);
    }
    DestroyWindow(dialog_);
    return choice_;
  }

 private:
  void Fill(const std::string& settingsSummary) {
    SetControlText(dialog_, kBatchSettings, settingsSummary);
    SendDlgItemMessageW(dialog_, kBatchSheetsSpin, UDM_SETRANGE32, 1, kMostSheets);
    SendDlgItemMessageW(dialog_, kBatchSheets, EM_SETLIMITTEXT, 3, 0);
    CheckDlgButton(dialog_, kBatchAnswers, BST_CHECKED);
    for (const char* format : kFormats) {
      SendDlgItemMessageW(dialog_, kBatchFormat, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(ToUtf16(format).c_str()));
    }
    SendDlgItemMessageW(dialog_, kBatchFormat, CB_SETCURSEL, 0, 0);
    SetControlText(dialog_, kBatchFile, defaultPath_);
    SendDlgItemMessageW(dialog_, kBatchFirstCode, EM_SETLIMITTEXT, 6, 0);
    SendDlgItemMessageW(dialog_, kBatchFirstCode, EM_SETCUEBANNER, TRUE,
                        reinterpret_cast<LPARAM>(L"留空则随机"));
    SetFocus(GetDlgItem(dialog_, kBatchSheets));
  }

  DocumentFormat Format() const {
    return SendDlgItemMessageW(dialog_, kBatchFormat, CB_GETCURSEL, 0, 0) == 1
               ? DocumentFormat::Pdf
               : DocumentFormat::Docx;
  }

  void Warn(const std::string& text, int focus) {
    ::MessageBoxW(dialog_, ToUtf16(text).c_str(), ToUtf16(kBatchCaption).c_str(),
                  MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(dialog_, focus));
  }

  void FollowFormat() {
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
    const std::optional<int> sheets = NumberIn(Trimmed(ControlText(dialog_, kBatchSheets)));
    if (!sheets || *sheets < 1 || *sheets > kMostSheets) {
      return Warn(SheetCountMessage().text, kBatchSheets);
    }
    const std::string typed = Trimmed(ControlText(dialog_, kBatchFile));
    if (typed.empty()) return Warn(kNoFile, kBatchFile);
    BatchChoice chosen{*sheets, IsDlgButtonChecked(dialog_, kBatchAnswers) == BST_CHECKED,
                       AbsoluteIn(folder_, WithFormatExtension(typed, Format())), std::nullopt};
    const std::string code = Trimmed(ControlText(dialog_, kBatchFirstCode));
    if (!code.empty()) {
      chosen.firstCode = NumberIn(code);
      if (!chosen.firstCode || !IsSheetCode(*chosen.firstCode)) {
        return Warn(SheetCodeMessage().text, kBatchFirstCode);
      }
    }
    if (!MayReplace(dialog_, BatchFiles(chosen.path, chosen.answers))) return;
    SetControlText(dialog_, kBatchFile, chosen.path);
    choice_ = std::move(chosen);
    done_ = true;
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<BatchDialog*>(DialogSelf(window, message, lParam));
    if (self && message == WM_COMMAND) {
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
  std::string defaultPath_;
  HWND dialog_ = nullptr;
  bool done_ = false;
  std::optional<BatchChoice> choice_;
};

}  // namespace

std::optional<BatchChoice> AskForBatch(HWND owner, HINSTANCE instance,
                                       const std::string& settingsSummary,
                                       const LocalDateTime& today) {
  const std::string folder = DocumentsFolder();
  BatchDialog dialog(instance, folder, DefaultBatchPath(folder, today));
  return dialog.Ask(owner, settingsSummary);
}

}  // namespace kalkora::win32
