#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace kalkora {

// Paths are UTF-8 in the core; the file system gets them in its own encoding.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

// A temporary file in the folder of the file it will become, named so that it does not meet
// another: written whole, then renamed over its target. Whatever has not been renamed is
// removed when the object goes.
class PendingFile {
 public:
  // `extension` (".docx", ".pdf") ends the temporary name, for programs that go by it.
  PendingFile(const std::filesystem::path& target, std::string_view extension);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Writes the whole file; false (and no file left) when it cannot be written.
  bool Write(std::string_view bytes, std::error_code& error);
  // Replaces the target with the written file.
  bool Commit(std::error_code& error);

 private:
  std::filesystem::path target_;
  std::filesystem::path path_;
};

}  // namespace kalkora
