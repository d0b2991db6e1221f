#pragma once

#include <rtl/ustring.hxx>
#include <string>
#include <string_view>

namespace kalkora::uno {

// The core's UTF-8 text and the office's UTF-16 strings.
rtl::OUString ToOUString(std::string_view utf8);
std::string ToUtf8(const rtl::OUString& text);

// A file URL for an absolute path: every byte outside the unreserved set is percent-encoded.
rtl::OUString FileUrl(std::string_view absolutePath);

}  // namespace kalkora::uno
