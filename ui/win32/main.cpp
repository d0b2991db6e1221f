// Kalkora for Windows: prepares the process, creates the program state and the main window,
// runs the message loop and releases the state at the end.
#include <float.h>
#include <objbase.h>
#include <windows.h>

#include <cfenv>
#include <chrono>
#include <memory>
#include <string>

#include "core/app/form_table.hpp"
#include "core/base/system_clock.hpp"
#include "core/generate/program_state.hpp"
#include "core/word/bounded_automation.hpp"
#include "office/com/com_word_processor.hpp"
#include "office/com/message_filter.hpp"
#include "office/com/word_pdf_writer.hpp"
#include "paint/win32/printer_pdf_writer.hpp"
#include "resources/template_bytes.hpp"
#include "system/win32/local_app_data_template_store.hpp"
#include "system/win32/registry_office_locator.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/main_window.hpp"
#include "ui/win32/win32_message_box.hpp"

#include <commctrl.h>

namespace {

constexpr std::chrono::seconds kOfficeCallLimit(30);

// COM for the UI thread, and the program's own folder as the current directory.
void PrepareProcess() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  if (const auto slash = path.find_last_of(L'\\'); slash != std::wstring::npos) {
    SetCurrentDirectoryW(path.substr(0, slash).c_str());
  }
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
}

// Round to nearest, every floating-point exception masked.
void ResetFloatingPoint() {
  _fpreset();
  std::fesetenv(FE_DFL_ENV);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  PrepareProcess();
  ResetFloatingPoint();
  kalkora::ProgramState state = kalkora::CreateProgramState();

  kalkora::SystemClock clock;
  kalkora::win32::Win32MessageBox messages;
  // Every Word call is bounded; each worker of the limit is a COM apartment with a connection
  // of its own, whose message filter retries the calls a busy Word turns away.
  kalkora::BoundedAutomation automation(
      [] { return std::make_unique<kalkora::com::ComWordProcessor>(); }, kOfficeCallLimit,
      kalkora::com::OfficeApartmentHooks(kOfficeCallLimit));
  kalkora::win32::RegistryOfficeLocator locator;
  kalkora::win32::LocalAppDataTemplateStore store(
      {kalkora::TemplateBytes, kalkora::TemplateFileName});

  kalkora::win32::MainWindow window({state, clock, messages, {automation, locator, store}});
  // PDF through the PDF printer where Windows has one, else through Word's export; with
  // neither, the dialog offers the .docx instead.
  kalkora::win32::PrinterPdfWriter printer;
  kalkora::com::WordPdfWriter word(kalkora::com::CreateWordApplication, kOfficeCallLimit);
  if (kalkora::win32::PdfPrinterInstalled()) {
    window.UseConverter(&printer);
  } else if (kalkora::com::WordIsRegistered()) {
    window.UseConverter(&word);
  }
  if (!window.Create(instance)) {
    const kalkora::UserMessage& failure = kalkora::kWindowNotCreated;
    ::MessageBoxW(nullptr, kalkora::win32::ToUtf16(failure.text).c_str(),
                  kalkora::win32::ToUtf16(failure.caption).c_str(),
                  MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(-1));
  }

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(window.hwnd(), window.accelerators(), &message)) continue;
    if (IsDialogMessageW(window.hwnd(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  automation.ReleaseAll();
  kalkora::ReleaseProgramState(state);
  return 0;
}
