#include "registry_setup.hpp"

#include <windows.h>

#include "system/win32/utf16.hpp"

namespace kalkora::testing {
namespace {

constexpr const wchar_t* kClassId = L"{6B1C3F0E-5A2D-4C7B-9E41-2F8D0A6C11E5}";
constexpr const wchar_t* kAppPaths =
    L"\"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.exe\"";

// A value as one quoted reg.exe argument; a trailing backslash is doubled so that it does not
// escape the closing quote.
std::wstring Quoted(const std::wstring& value) {
  std::wstring quoted = L"\"" + value;
  if (!value.empty() && value.back() == L'\\') quoted += L'\\';
  return quoted + L"\"";
}

}  // namespace

std::wstring HostPath(const std::string& unixPath) {
  std::wstring path = L"Z:" + win32::ToUtf16(unixPath);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

bool Reg(const std::wstring& arguments) {
  std::wstring commandLine = L"reg.exe " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &process)) {
    return false;
  }
  DWORD code = 1;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code == 0;
}

bool RegisterWordApplication(const std::wstring& serverCommandLine) {
  const std::wstring classKey = L"\"HKLM\\Software\\Classes\\CLSID\\" + std::wstring(kClassId);
  // Only a local server: an in-process one registered earlier would be preferred.
  Reg(L"delete " + classKey + L"\\InprocServer32\" /f");
  return Reg(L"add \"HKLM\\Software\\Classes\\Word.Application\\CLSID\" /ve /d " +
             std::wstring(kClassId) + L" /f") &&
         Reg(L"add " + classKey + L"\\LocalServer32\" /ve /d " + Quoted(serverCommandLine) +
             L" /f");
}

bool UnregisterWordApplication() {
  return Reg(L"delete \"HKLM\\Software\\Classes\\Word.Application\" /f") &&
         Reg(L"delete \"HKLM\\Software\\Classes\\CLSID\\" + std::wstring(kClassId) + L"\" /f");
}

bool SetWordInstallPath(const std::wstring& path) {
  return Reg(L"add " + std::wstring(kAppPaths) + L" /v Path /d " + Quoted(path) + L" /f");
}

bool RemoveWordInstallPath() {
  // A key that is not there counts as removed.
  Reg(L"delete " + std::wstring(kAppPaths) + L" /f");
  return !Reg(L"query " + std::wstring(kAppPaths));
}

}  // namespace kalkora::testing
