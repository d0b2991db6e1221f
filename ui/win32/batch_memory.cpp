#include "ui/win32/batch_memory.hpp"

#include <windows.h>

#include "system/win32/utf16.hpp"

namespace kalkora::win32 {

BatchMemory LoadBatchMemory() {
  return RememberedBatch([](std::string_view name) -> std::optional<std::string> {
    const std::wstring value = ToUtf16(name);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kBatchMemoryKey, value.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &bytes) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, kBatchMemoryKey, value.c_str(), RRF_RT_REG_SZ, nullptr,
                     text.data(), &bytes) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return ToUtf8(text);
  });
}

void SaveBatchMemory(const BatchMemory& memory) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kBatchMemoryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;  // the dialog then opens with its defaults next time
  }
  for (const auto& [name, text] : StoredBatchMemory(memory)) {
    const std::wstring value = ToUtf16(text);
    RegSetValueExW(key, ToUtf16(name).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(key);
}

}  // namespace kalkora::win32
