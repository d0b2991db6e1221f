#include "core/app/help_page.hpp"

#include <system_error>

namespace kalkora {

std::filesystem::path FindHelpPage(const std::filesystem::path& programFolder) {
  // "bin/" and "bin" are the same folder; the page under share/ lies beside "bin".
  const std::filesystem::path folder =
      programFolder.has_filename() ? programFolder : programFolder.parent_path();
  const std::filesystem::path candidates[] = {
      folder / kHelpPageName,
      folder.parent_path() / "share" / "kalkora" / kHelpPageName,
  };
  for (const std::filesystem::path& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate.lexically_normal();
  }
  return {};
}

}  // namespace kalkora
