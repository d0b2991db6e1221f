#pragma once

#include <string>

namespace kalkora {

// Where the word processor is installed (on Windows the App Paths registry value of
// Winword.exe); empty when it is not.
class OfficeLocator {
 public:
  virtual ~OfficeLocator() = default;
  virtual std::string InstallPath() = 0;
};

}  // namespace kalkora
