#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "word/template_store.hpp"

namespace kalkora {

// The built-in bytes and file name of a sheet size's template.
struct TemplateSource {
  std::function<std::span<const unsigned char>(int sheetSize)> bytes;
  std::function<std::string_view(int sheetSize)> fileName;
};

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

}  // namespace kalkora
