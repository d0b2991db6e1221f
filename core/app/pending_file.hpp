#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace kalkora {

// Paths are UTF-8 in the core; the file system gets them in its own encoding.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

// A hidden temporary file in the folder of the file it will become: written whole, then
// renamed over its target. Its name, ".kalkora-<process id>-<random tag><extension>", names the
// process that writes it, so that a later run can tell the leftovers of a writer that was
// killed. Whatever has not been renamed is removed when the object goes.
class PendingFile {
 public:
  // `extension` (".docx", ".pdf") ends the temporary name, for programs that go by it.
  PendingFile(const std::filesystem::path& target, std::string_view extension);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  const std::filesystem::path& Target() const { return target_; }
  // Writes the whole file, with the permissions of the target where there is one (a private
  // key stays private); false (and no file left) when it cannot be written.
  bool Write(std::string_view bytes, std::error_code& error);
  // Makes the file the same as `file` as it is now: a second link to it, or a copy where the
  // file system has no links.
  bool KeepCopyOf(const std::filesystem::path& file, std::error_code& error);
  // Replaces the target with the written file.
  bool Commit(std::error_code& error);

 private:
  std::filesystem::path target_;
  std::filesystem::path path_;
  bool committed_ = false;
};

// The process id in a pending file's name; none for any other name.
std::optional<int> PendingFileWriter(std::string_view fileName);

// Removes the pending files in `folder` whose writers no longer run.
void RemoveLeftoversOfEndedWriters(const std::filesystem::path& folder);

}  // namespace kalkora
