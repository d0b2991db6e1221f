#include "system/posix/private_template_store.hpp"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <utility>

#include "resources/template_bytes.hpp"

namespace kalkora::posix {
namespace {

constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kFileMode = 0600;
constexpr int kTemporaryNameAttempts = 16;

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor& operator=(Descriptor&&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home == '/') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return {};
}

// Creates the folder and any missing parents, each new one private.
void MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    ::mkdir(folder.substr(0, slash).c_str(), kPrivateFolderMode);
  }
  ::mkdir(folder.c_str(), kPrivateFolderMode);
}

// The folder opened without following a link at its name, when it is ours alone.
Descriptor OpenPrivateFolder(const std::string& folder) {
  MakeFolders(folder);
  Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info {};
  if (!directory.valid() || ::fstat(directory.get(), &info) != 0 || !S_ISDIR(info.st_mode) ||
      info.st_uid != ::geteuid() || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return Descriptor(-1);
  }
  return directory;
}

// Only a missing name or a plain file of ours may be replaced.
bool NameIsReplaceable(int directory, const std::string& name) {
  struct stat info {};
  if (::fstatat(directory, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

bool WriteAll(int fd, std::span<const unsigned char> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

// A new file under a fresh hidden name in the folder; the name is returned with it.
Descriptor CreateTemporary(int directory, const std::string& name, std::string& temporaryName) {
  std::random_device random;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporaryName = "." + name + "." + std::to_string(random()) + ".tmp";
    const int fd = ::openat(directory, temporaryName.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kFileMode);
    if (fd >= 0 || errno != EEXIST) return Descriptor(fd);
  }
  return Descriptor(-1);
}

bool WriteInto(int directory, const std::string& name, std::span<const unsigned char> bytes) {
  if (!NameIsReplaceable(directory, name)) return false;
  std::string temporaryName;
  Descriptor file = CreateTemporary(directory, name, temporaryName);
  if (!file.valid()) return false;
  const bool complete = WriteAll(file.get(), bytes) && ::close(file.release()) == 0;
  if (complete && ::renameat(directory, temporaryName.c_str(), directory, name.c_str()) == 0) {
    return true;
  }
  ::unlinkat(directory, temporaryName.c_str(), 0);
  return false;
}

}  // namespace

TemplateSource BuiltInTemplates() { return {&TemplateBytes, &TemplateFileName}; }

std::string DefaultTemplateFolder() {
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/') {
    return std::string(cache) + "/kalkora";
  }
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.cache/kalkora";
}

PrivateTemplateStore::PrivateTemplateStore() : PrivateTemplateStore(DefaultTemplateFolder()) {}

PrivateTemplateStore::PrivateTemplateStore(std::string folder, TemplateSource source)
    : folder_(std::move(folder)), source_(std::move(source)) {}

TemplateWrite PrivateTemplateStore::Write(int sheetSize) {
  const std::string name(source_.fileName(sheetSize));
  const std::span<const unsigned char> bytes = source_.bytes(sheetSize);
  TemplateWrite result{folder_ + "/" + name, false};
  if (name.empty() || bytes.empty() || folder_.empty() || folder_.front() != '/') return result;
  const Descriptor directory = OpenPrivateFolder(folder_);
  result.written = directory.valid() && WriteInto(directory.get(), name, bytes);
  return result;
}

}  // namespace kalkora::posix
