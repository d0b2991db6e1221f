#include "core/base/folder_lock.hpp"

#include <windows.h>

#include <thread>

namespace kalkora {

// A hidden file in the folder, opened without sharing and deleted when its handle closes:
// the system closes that handle also when the process is killed, so nothing stays behind.
FolderLock::FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds patience) {
  const std::wstring name = (folder / L".kalkora-lock").wstring();
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(file);
      return;
    }
    const DWORD reason = ::GetLastError();
    // Another holder, or one whose file is being deleted: wait; anything else: go ahead.
    if (reason != ERROR_SHARING_VIOLATION && reason != ERROR_ACCESS_DENIED) return;
    if (std::chrono::steady_clock::now() >= deadline) {
      error_ = std::make_error_code(std::errc::device_or_resource_busy);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

FolderLock::~FolderLock() {
  if (handle_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace kalkora
