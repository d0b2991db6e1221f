#pragma once

#include <filesystem>
#include <string>

namespace kalkora::testing {

// A new folder of a test's own under the system's temporary folder, removed with everything in
// it when the object goes, entries made read-only by the test included.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& prefix);
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace kalkora::testing
