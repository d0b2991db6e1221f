#pragma once

#include <string>
#include <string_view>

#include "core/base/template_store.hpp"

namespace kalkora::win32 {

// Writes templates into the user's private folder %LOCALAPPDATA%\Kalkora: a temporary file
// next to the target, then renamed over it, so Word never opens a half-written template. A
// folder or file name that is a link (reparse point) is refused rather than followed.
class LocalAppDataTemplateStore : public TemplateStore {
 public:
  explicit LocalAppDataTemplateStore(TemplateSource source);
  // The same store in another parent folder than the user's local application data.
  LocalAppDataTemplateStore(TemplateSource source, std::wstring parentFolder);

  TemplateWrite Write(int sheetSize) override;

 private:
  TemplateSource source_;
  std::wstring parentFolder_;
};

}  // namespace kalkora::win32
