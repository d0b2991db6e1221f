#pragma once

#include "core/base/office_locator.hpp"

namespace kalkora::win32 {

// Word's install folder: the "Path" value of its App Paths key under HKEY_LOCAL_MACHINE, read
// from the 64-bit registry view and, when that has none, from the 32-bit view.
class RegistryOfficeLocator : public OfficeLocator {
 public:
  std::string InstallPath() override;
};

}  // namespace kalkora::win32
