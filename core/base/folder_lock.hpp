#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace kalkora {

// A lock that the processes putting files in place in one folder take in turn: while one holds
// it, another's waits. It goes with the object, and with the process when that ends however it
// ends, and leaves nothing behind in the folder. Implemented by the platform's edge
// (system/posix, system/win32).
class FolderLock {
 public:
  // Waits for the lock at most `patience`; Held() says whether it came, Error() why not. A
  // folder that cannot be locked at all (one that may be written but not read) is not waited
  // for: the lock counts as held, as renames in such a folder went ahead before.
  FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds patience);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool Held() const { return !error_; }
  const std::error_code& Error() const { return error_; }

 private:
  std::intptr_t handle_ = -1;
  std::error_code error_;
};

}  // namespace kalkora
