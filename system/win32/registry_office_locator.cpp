#include "system/win32/registry_office_locator.hpp"

#include <windows.h>

#include <string>

#include "system/win32/utf16.hpp"

namespace kalkora::win32 {
namespace {

constexpr const wchar_t* kAppPathsKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.exe";
constexpr const wchar_t* kPathValue = L"Path";

// The value as text, or empty when the key or the value is missing or is not text.
std::wstring ReadPath(REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, KEY_QUERY_VALUE | view, &key) !=
      ERROR_SUCCESS) {
    return {};
  }
  std::wstring text;
  DWORD size = 0;
  if (RegGetValueW(key, nullptr, kPathValue, RRF_RT_REG_SZ, nullptr, nullptr, &size) ==
      ERROR_SUCCESS) {
    text.assign(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(key, nullptr, kPathValue, RRF_RT_REG_SZ, nullptr, text.data(), &size) ==
        ERROR_SUCCESS) {
      text.resize(wcsnlen(text.c_str(), text.size()));
    } else {
      text.clear();
    }
  }
  RegCloseKey(key);
  return text;
}

}  // namespace

std::string RegistryOfficeLocator::InstallPath() {
  std::wstring path = ReadPath(KEY_WOW64_64KEY);
  if (path.empty()) path = ReadPath(KEY_WOW64_32KEY);
  return ToUtf8(path);
}

}  // namespace kalkora::win32
