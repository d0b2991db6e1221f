#include "number_oracle.hpp"

#include <cmath>
#include <cstdlib>
#include <string>

namespace kalkora::fuzzing {
namespace {

// GBK's full-width block A3A1..A3FE in UTF-8: U+FF01..U+FF5E in the order of ASCII 21..7E,
// except that GBK puts the yen sign U+FFE5 in the place of '$' and the macron U+FFE3 in the
// place of '~'. The ideographic space A1A1 (U+3000) is a space.
char AsciiOfThreeBytes(unsigned char b0, unsigned char b1, unsigned char b2) {
  if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80) return ' ';
  if (b0 != 0xEF) return 0;
  if (b1 == 0xBF && b2 == 0xA5) return '$';
  if (b1 == 0xBF && b2 == 0xA3) return '~';
  if ((b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) return 0;
  const unsigned codePoint = 0xF000u | (unsigned{b1} & 0x3Fu) << 6 | (unsigned{b2} & 0x3Fu);
  if (codePoint < 0xFF01 || codePoint > 0xFF5E || codePoint == 0xFF04 || codePoint == 0xFF5E) {
    return 0;
  }
  return static_cast<char>(codePoint - 0xFF01 + '!');
}

std::string Normalised(std::string_view text) {
  std::string ascii;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i + 2 < text.size()) {
      const char c = AsciiOfThreeBytes(static_cast<unsigned char>(text[i]),
                                       static_cast<unsigned char>(text[i + 1]),
                                       static_cast<unsigned char>(text[i + 2]));
      if (c != 0) {
        ascii += c;
        i += 2;
        continue;
      }
    }
    ascii += text[i];
  }
  return ascii;
}

}  // namespace

double ReadNumber(std::string_view text) {
  const std::string ascii = Normalised(text);
  const std::size_t start = ascii.find_first_not_of(" \t\n\v\f\r");
  if (start == std::string::npos) return 0.0;
  // Only these characters can be part of the grammar's number; cutting the text at the first
  // other one keeps strtod from reading "inf", "nan" or hexadecimal.
  const std::size_t end = ascii.find_first_not_of("0123456789+-.eE", start);
  const std::string number = ascii.substr(start, end == std::string::npos ? end : end - start);
  return std::strtod(number.c_str(), nullptr);
}

std::int32_t BoundOf(double value) {
  constexpr double kTwoTo32 = 4294967296.0;
  if (!(std::fabs(value) < 9223372036854775808.0)) return 0;
  double low = std::fmod(std::trunc(value), kTwoTo32);
  if (low < 0) low += kTwoTo32;
  if (low >= kTwoTo32 / 2) low -= kTwoTo32;
  return static_cast<std::int32_t>(low);
}

}  // namespace kalkora::fuzzing
