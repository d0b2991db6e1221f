#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/base/office_locator.hpp"

namespace kalkora::posix {

// The real location of the first executable `soffice` on a search path (colon-separated
// folders, links resolved); empty when there is none.
std::string FindOfficeProgram(std::string_view searchPath);

// The search path of this process: $PATH, or the usual folders when it is unset.
std::string ProcessSearchPath();

// The folder of the installed LibreOffice program, such as /usr/lib/libreoffice/program/,
// found through `soffice` on the search path; empty when LibreOffice is not installed.
class LibreOfficeLocator : public OfficeLocator {
 public:
  LibreOfficeLocator() = default;
  explicit LibreOfficeLocator(std::string searchPath) : searchPath_(std::move(searchPath)) {}

  std::string InstallPath() override;

 private:
  std::optional<std::string> searchPath_;  // none: the process's own, read at every call
};

}  // namespace kalkora::posix
