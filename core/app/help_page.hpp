#pragma once

#include <filesystem>
#include <string_view>

namespace kalkora {

// The help page, a hand-written HTML file that each package installs: beside the programs on
// Windows (Program Files\Kalkora), under share/kalkora beside the programs' bin folder on
// Linux. A build puts a copy beside the programs it builds.
inline constexpr std::string_view kHelpPageName = "kalkora.html";

// Shown when the help page is not where the program looks for it.
inline constexpr std::string_view kHelpPageMissing =
    "找不到帮助页面 kalkora.html，请重新安装 Kalkora。";

// The help page of the program in `programFolder`, or an empty path when it is in neither place.
std::filesystem::path FindHelpPage(const std::filesystem::path& programFolder);

}  // namespace kalkora
