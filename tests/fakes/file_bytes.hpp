#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kalkora::testing {

// A file's bytes; empty when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

}  // namespace kalkora::testing
