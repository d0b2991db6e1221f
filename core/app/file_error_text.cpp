#include "core/app/file_error_text.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/app/file_set_placement.hpp"
#include "core/app/pending_file.hpp"
#include "core/base/system_error_cause.hpp"

namespace kalkora {
namespace {

bool IsDeviceName(std::string name) {
  name = name.substr(0, name.find('.'));
  // Windows also drops blanks before the extension: "nul .docx" is NUL.
  name.erase(name.find_last_not_of(' ') + 1);
  std::transform(name.begin(), name.end(), name.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  if (std::find(kDevices.begin(), kDevices.end(), name) != kDevices.end()) return true;
  return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) &&
         name[3] >= '1' && name[3] <= '9';
}

}  // namespace

bool HasNameWindowsReserves(const std::filesystem::path& path) {
  for (const std::filesystem::path& part : path.relative_path()) {
    const std::string name = Utf8FromPath(part);
    if (name.empty() || name == "." || name == "..") continue;
    if (name.back() == '.' || name.back() == ' ' || IsDeviceName(name)) return true;
  }
  return false;
}

std::string FileErrorText(const std::error_code& error, const std::filesystem::path& target) {
  const std::error_condition cause = SystemErrorCause(error);
  std::error_code ignored;
  const bool missing =
      cause == std::errc::no_such_file_or_directory || cause == std::errc::not_a_directory;
  if (missing && !std::filesystem::is_directory(target.parent_path(), ignored)) {
    return "文件夹不存在";
  }
  // Windows answers such names with unrelated reasons ("file not found", "access denied").
  if (HasNameWindowsReserves(target)) return "这个名字是 Windows 保留的，不能用作文件名";
  if (missing) return "文件夹不存在";
  if (cause == std::errc::permission_denied || cause == std::errc::operation_not_permitted) {
    return IsReadOnlyFile(target) ? "文件是只读的" : "没有写入的权限";
  }
  if (cause == std::errc::read_only_file_system) return "磁盘是只读的";
  if (cause == std::errc::no_space_on_device) return "磁盘已满";
  if (cause == std::errc::file_too_large) return "文件超出了系统允许的大小";
  if (cause == std::errc::is_a_directory) return "同名的文件夹已经存在";
  if (cause == std::errc::filename_too_long) return "文件名太长";
  if (cause == std::errc::device_or_resource_busy) return "文件正被另一个程序使用";
  if (cause == std::errc::invalid_argument) return "文件名无效";
  return error.message();
}

}  // namespace kalkora
