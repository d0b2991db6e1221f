#pragma once

#include <string>

namespace kalkora {

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
