#include "core/word/word_detection.hpp"

#include <algorithm>
#include <string>

#include "core/base/form_names.hpp"

namespace kalkora {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool DetectWord(Controls& controls, OfficeLocator& locator) {
  controls.WriteText(form::kOfficePath, locator.InstallPath());
  std::string path = controls.ReadText(form::kOfficePath);
  std::ranges::transform(path, path.begin(), AsciiLower);
  return path.find("ffice") != std::string::npos;
}

}  // namespace kalkora
