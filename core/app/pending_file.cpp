#include "core/app/pending_file.hpp"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <random>

#include "core/base/running_processes.hpp"

namespace kalkora {
namespace {

constexpr std::string_view kPrefix = ".kalkora-";
constexpr std::size_t kTagLength = 16;

std::string RandomTag() {
  std::random_device device;
  char tag[kTagLength + 1];
  std::snprintf(tag, sizeof tag, "%08x%08x", device(), device());
  return tag;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

}  // namespace

std::filesystem::path PathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

PendingFile::PendingFile(const std::filesystem::path& target, std::string_view extension)
    : target_(target) {
  const std::filesystem::path folder = target.parent_path();
  const std::string writer = std::string(kPrefix) + std::to_string(CurrentProcessId()) + "-";
  std::error_code ignored;
  do {
    path_ = folder / PathFromUtf8(writer + RandomTag() + std::string(extension));
  } while (std::filesystem::exists(std::filesystem::symlink_status(path_, ignored)));
}

PendingFile::~PendingFile() {
  if (committed_) return;
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

bool PendingFile::Write(std::string_view bytes, std::error_code& error) {
  std::error_code ignored;
  const std::filesystem::file_status target = std::filesystem::status(target_, ignored);
  errno = 0;
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  if (out) {
    // Before any byte is written, so that a private file's contents are never readable by all.
    if (std::filesystem::is_regular_file(target)) {
      std::filesystem::permissions(path_, target.permissions(), ignored);
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
  }
  if (out) return true;
  // The stream keeps no reason of its own; the C library's, where it left one, says why.
  error = errno != 0 ? std::error_code(errno, std::generic_category())
                     : std::make_error_code(std::errc::io_error);
  std::filesystem::remove(path_, ignored);
  return false;
}

bool PendingFile::KeepCopyOf(const std::filesystem::path& file, std::error_code& error) {
  std::filesystem::create_hard_link(file, path_, error);
  if (!error) return true;
  error.clear();
  std::filesystem::copy_file(file, path_, error);
  if (!error) return true;
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
  return false;
}

bool PendingFile::Commit(std::error_code& error) {
  std::filesystem::rename(path_, target_, error);
  committed_ = !error;
  return committed_;
}

std::optional<int> PendingFileWriter(std::string_view fileName) {
  if (!fileName.starts_with(kPrefix)) return std::nullopt;
  fileName.remove_prefix(kPrefix.size());
  int writer = 0;
  const auto [end, error] =
      std::from_chars(fileName.data(), fileName.data() + fileName.size(), writer);
  const std::size_t digits = static_cast<std::size_t>(end - fileName.data());
  if (error != std::errc() || digits == 0 || fileName[0] == '-' || writer <= 0) {
    return std::nullopt;
  }
  const std::string_view tag = fileName.substr(digits);
  if (tag.size() < 1 + kTagLength || tag[0] != '-') return std::nullopt;
  for (std::size_t i = 1; i <= kTagLength; ++i) {
    if (!IsHexDigit(tag[i])) return std::nullopt;
  }
  return writer;
}

void RemoveLeftoversOfEndedWriters(const std::filesystem::path& folder) {
  std::error_code error;
  const int self = CurrentProcessId();
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::optional<int> writer = PendingFileWriter(Utf8FromPath(entry->path().filename()));
    if (!writer || *writer == self || ProcessIsRunning(*writer)) continue;
    std::error_code ignored;
    if (entry->is_regular_file(ignored)) std::filesystem::remove(entry->path(), ignored);
  }
}

}  // namespace kalkora
