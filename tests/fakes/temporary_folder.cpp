#include "fakes/temporary_folder.hpp"

#include <random>

namespace kalkora::testing {

namespace fs = std::filesystem;

TemporaryFolder::TemporaryFolder(const std::string& prefix)
    : path_(fs::temp_directory_path() / (prefix + std::to_string(std::random_device{}()))) {
  fs::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code error;
  for (const auto& entry : fs::recursive_directory_iterator(path_, error)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
  }
  fs::remove_all(path_, error);
}

}  // namespace kalkora::testing
