#include "system/posix/libreoffice_locator.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace kalkora::posix {
namespace {

constexpr std::string_view kProgramName = "soffice";
constexpr std::string_view kDefaultSearchPath = "/usr/local/bin:/usr/bin:/bin";

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

}  // namespace

std::string FindOfficeProgram(std::string_view searchPath) {
  while (!searchPath.empty()) {
    const std::size_t colon = searchPath.find(':');
    const std::string_view folder = searchPath.substr(0, colon);
    searchPath =
        colon == std::string_view::npos ? std::string_view() : searchPath.substr(colon + 1);
    // An empty entry would mean the working folder, which is no place to look for an office.
    if (folder.empty() || folder.front() != '/') continue;
    const std::string candidate = std::string(folder) + "/" + std::string(kProgramName);
    if (IsExecutableFile(candidate)) return RealPath(candidate);
  }
  return {};
}

std::string ProcessSearchPath() {
  const char* path = std::getenv("PATH");
  return path ? std::string(path) : std::string(kDefaultSearchPath);
}

std::string LibreOfficeLocator::InstallPath() {
  const std::string program = FindOfficeProgram(searchPath_ ? *searchPath_ : ProcessSearchPath());
  const std::size_t slash = program.rfind('/');
  return slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
}

}  // namespace kalkora::posix
