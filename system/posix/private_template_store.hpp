#pragma once

#include <string>
#include <string_view>

#include "core/base/template_store.hpp"

namespace kalkora::posix {

// The templates built into the program.
TemplateSource BuiltInTemplates();

// $XDG_CACHE_HOME/kalkora, or ~/.cache/kalkora when XDG_CACHE_HOME is unset or not absolute.
std::string DefaultTemplateFolder();

// Writes templates into a folder of this user's own: created with mode 0700, and refused when
// it is a link, belongs to someone else or can be written by group or others. A file is
// written under a temporary name and renamed into place; a link standing at its name is
// refused, never followed.
class PrivateTemplateStore : public TemplateStore {
 public:
  PrivateTemplateStore();
  explicit PrivateTemplateStore(std::string folder, TemplateSource source = BuiltInTemplates());

  TemplateWrite Write(int sheetSize) override;

 private:
  std::string folder_;
  TemplateSource source_;
};

}  // namespace kalkora::posix
