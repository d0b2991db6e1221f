#include "office/uno/desktop_plugins.hpp"

#include <array>
#include <filesystem>
#include <string_view>

namespace kalkora::uno {
namespace {

constexpr std::array<std::string_view, 7> kDesktopPlugins = {
    "libvclplug_gtk3lo.so", "libvclplug_gtk4lo.so", "libvclplug_kf5lo.so", "libvclplug_kf6lo.so",
    "libvclplug_qt5lo.so",  "libvclplug_qt6lo.so",  "libvclplug_genlo.so",
};

}  // namespace

bool CanShowWindows(const std::string& programFolder) {
  const std::filesystem::path folder(programFolder);
  std::error_code error;
  for (const std::string_view plugin : kDesktopPlugins) {
    if (std::filesystem::is_regular_file(folder / plugin, error)) return true;
  }
  return false;
}

}  // namespace kalkora::uno
