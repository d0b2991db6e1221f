#pragma once

#include <string>

namespace kalkora::testing {

// The Windows path of a file of the build machine (Wine maps the root to drive Z:).
std::wstring HostPath(const std::string& unixPath);

// Runs the system's reg.exe with the arguments; true when it succeeds.
bool Reg(const std::wstring& arguments);

// Registers the command line as the local server of "Word.Application".
bool RegisterWordApplication(const std::wstring& serverCommandLine);
bool UnregisterWordApplication();

// The value "Path" of Word's App Paths key, set or removed.
bool SetWordInstallPath(const std::wstring& path);
bool RemoveWordInstallPath();

}  // namespace kalkora::testing
