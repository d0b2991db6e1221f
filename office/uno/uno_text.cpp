#include "office/uno/uno_text.hpp"

#include <rtl/string.hxx>

namespace kalkora::uno {
namespace {

bool KeptInUrl(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

}  // namespace

rtl::OUString ToOUString(std::string_view utf8) {
  return rtl::OUString(utf8.data(), static_cast<sal_Int32>(utf8.size()), RTL_TEXTENCODING_UTF8);
}

std::string ToUtf8(const rtl::OUString& text) {
  const rtl::OString bytes = rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
  return std::string(bytes.getStr(), static_cast<std::size_t>(bytes.getLength()));
}

rtl::OUString FileUrl(std::string_view absolutePath) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : absolutePath) {
    const auto byte = static_cast<unsigned char>(c);
    if (KeptInUrl(byte)) {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0xF];
    }
  }
  return ToOUString(url);
}

}  // namespace kalkora::uno
