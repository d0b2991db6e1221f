#include "fakes/gbk.hpp"

#include <iconv.h>

#include <stdexcept>
#include <vector>

namespace kalkora::testing {
namespace {

std::string Convert(std::string_view input, const char* from, const char* to) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string source(input);
  std::vector<char> output(input.size() * 4 + 4);
  char* in = source.data();
  std::size_t inLeft = source.size();
  char* out = output.data();
  std::size_t outLeft = output.size();
  const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) throw std::runtime_error("iconv failed");
  return std::string(output.data(), output.size() - outLeft);
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) { return Convert(utf8, "UTF-8", "GBK"); }
std::string GbkToUtf8(std::string_view gbk) { return Convert(gbk, "GBK", "UTF-8"); }

}  // namespace kalkora::testing
