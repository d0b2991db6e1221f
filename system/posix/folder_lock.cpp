#include "core/base/folder_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace kalkora {

// flock on the folder itself: released by the kernel when the descriptor closes, also when the
// process is killed, and no file is made for it.
FolderLock::FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds patience) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    const bool contended = errno == EWOULDBLOCK || errno == EINTR;
    // A file system without locks (ENOLCK) is not waited for either.
    if (!contended || std::chrono::steady_clock::now() >= deadline) {
      if (contended) error_ = std::make_error_code(std::errc::device_or_resource_busy);
      ::close(descriptor);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  handle_ = descriptor;
}

FolderLock::~FolderLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

}  // namespace kalkora
