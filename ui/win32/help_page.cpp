#include "ui/win32/help_page.hpp"

#include <shellapi.h>

#include <string>

#include "core/app/help_page.hpp"

namespace kalkora::win32 {

std::filesystem::path HelpPagePath() {
  std::wstring program(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0) return {};
    if (length < program.size()) {
      program.resize(length);
      break;
    }
    program.resize(program.size() * 2);  // a long path: try again with room for it
  }
  return FindHelpPage(std::filesystem::path(program).parent_path());
}

void OpenHelpPage(HWND owner, MessageBox& messages) {
  const std::filesystem::path page = HelpPagePath();
  if (page.empty()) {
    messages.Show({std::string(kHelpPageMissing), "Kalkora"});
    return;
  }
  ShellExecuteW(owner, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace kalkora::win32
