#pragma once

#include <string>
#include <string_view>

namespace kalkora::testing {

// Converts between UTF-8 and the GBK code page (code page 936) with the C library's iconv.
std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

}  // namespace kalkora::testing
