#pragma once

#include <string>
#include <string_view>

namespace kalkora::win32 {

// The core's UTF-8 text and the UTF-16 text of Win32 and COM. Invalid sequences become U+FFFD.
std::wstring ToUtf16(std::string_view text);
std::string ToUtf8(std::wstring_view text);

}  // namespace kalkora::win32
