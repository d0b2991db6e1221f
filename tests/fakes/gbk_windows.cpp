#include <windows.h>

#include <stdexcept>
#include <string>

#include "fakes/gbk.hpp"

// The Windows build has no iconv; Windows' own code page 936 is the same GBK.
namespace kalkora::testing {
namespace {

constexpr UINT kGbk = 936;

std::wstring Wide(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (length == 0)
    throw std::runtime_error("not valid text in code page " + std::to_string(codePage));
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
  return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  BOOL lossy = FALSE;
  BOOL* lossyFlag = codePage == CP_UTF8 ? nullptr : &lossy;
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int length =
      WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lossyFlag);
  if (length == 0 || lossy) throw std::runtime_error("no GBK form for the text");
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) { return Narrow(Wide(utf8, CP_UTF8), kGbk); }
std::string GbkToUtf8(std::string_view gbk) { return Narrow(Wide(gbk, kGbk), CP_UTF8); }

}  // namespace kalkora::testing
