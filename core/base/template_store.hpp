#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace kalkora {

// Where the template bytes of a sheet size and their file name come from.
struct TemplateSource {
  std::function<std::span<const unsigned char>(int sheetSize)> bytes;
  std::function<std::string_view(int sheetSize)> fileName;
};

struct TemplateWrite {
  std::string path;  // where the template was, or would have been, written
  bool written = false;
};

// Puts the built-in template of a sheet size (18, 24 or 30) on disk.
class TemplateStore {
 public:
  virtual ~TemplateStore() = default;
  virtual TemplateWrite Write(int sheetSize) = 0;
};

}  // namespace kalkora
