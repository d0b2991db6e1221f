#include "core/app/pending_file.hpp"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>

namespace kalkora {
namespace {

std::string RandomTag() {
  std::random_device device;
  char tag[17];
  std::snprintf(tag, sizeof tag, "%08x%08x", device(), device());
  return tag;
}

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
  std::error_code ignored;
  do {
    path_ = folder / PathFromUtf8(".kalkora-" + RandomTag() + std::string(extension));
  } while (std::filesystem::exists(path_, ignored));
}

PendingFile::~PendingFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

bool PendingFile::Write(std::string_view bytes, std::error_code& error) {
  errno = 0;
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  if (out) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
  }
  if (out) return true;
  // The stream keeps no reason of its own; the C library's, where it left one, says why.
  error = errno != 0 ? std::error_code(errno, std::generic_category())
                     : std::make_error_code(std::errc::io_error);
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
  return false;
}

bool PendingFile::Commit(std::error_code& error) {
  std::filesystem::rename(path_, target_, error);
  return !error;
}

}  // namespace kalkora
