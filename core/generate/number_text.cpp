#include "core/generate/number_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace kalkora {
namespace {

// The full-width block of the GBK code page, codes A3A1 to A3FE, in the order of ASCII 21 to
// 7E. Two of its codes are not the Unicode full-width forms: A3A4 is the yen sign and A3FE the
// macron.
char32_t FullWidthOf(char ascii) {
  if (ascii == '$') return U'\uFFE5';
  if (ascii == '~') return U'\uFFE3';
  return U'\uFF01' + static_cast<char32_t>(ascii - '!');
}

constexpr char32_t kIdeographicSpace = U'\u3000';

// Decodes one UTF-8 sequence of three bytes (the only length full-width forms have).
bool DecodeThreeByte(std::string_view text, std::size_t at, char32_t& out) {
  if (at + 3 > text.size()) return false;
  const auto b0 = static_cast<unsigned char>(text[at]);
  const auto b1 = static_cast<unsigned char>(text[at + 1]);
  const auto b2 = static_cast<unsigned char>(text[at + 2]);
  if ((b0 & 0xF0) != 0xE0 || (b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) return false;
  out = (char32_t{b0} & 0x0F) << 12 | (char32_t{b1} & 0x3F) << 6 | (char32_t{b2} & 0x3F);
  return true;
}

char AsciiOf(char32_t character) {
  if (character == kIdeographicSpace) return ' ';
  for (char ascii = '!'; ascii <= '~'; ++ascii) {
    if (FullWidthOf(ascii) == character) return ascii;
  }
  return 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Length of the longest prefix of `s` that reads as [sign] digits [point digits] [exponent].
std::size_t NumberPrefixLength(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    std::size_t fraction = 0;
    std::size_t j = i + 1;
    while (j < s.size() && IsDigit(s[j])) ++j, ++fraction;
    if (digits + fraction > 0) i = j, digits += fraction;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t exponentStart = j;
    while (j < s.size() && IsDigit(s[j])) ++j;
    if (j > exponentStart) i = j;
  }
  return i;
}

// Whether an out-of-range decimal number overflowed (rather than underflowed): its decimal
// magnitude is positive.
bool Overflows(std::string_view unsignedNumber) {
  const std::size_t e = unsignedNumber.find_first_of("eE");
  const std::string_view mantissa = unsignedNumber.substr(0, e);
  long long magnitude = 0;
  if (e != std::string_view::npos) {
    std::string_view exponent = unsignedNumber.substr(e + 1);
    if (!exponent.empty() && exponent.front() == '+') exponent.remove_prefix(1);
    long long value = 0;
    const auto [end, error] =
        std::from_chars(exponent.data(), exponent.data() + exponent.size(), value);
    if (error == std::errc::result_out_of_range) return exponent.front() != '-';
    // Far beyond any double's range either way; clamped so adding the digit count cannot
    // overflow.
    magnitude = std::clamp(value, -1000000LL, 1000000LL);
  }
  const std::size_t point = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, point);
  const std::size_t firstNonZero = whole.find_first_not_of('0');
  if (firstNonZero != std::string_view::npos) {
    magnitude += static_cast<long long>(whole.size() - firstNonZero);
  } else if (point != std::string_view::npos) {
    const std::string_view fraction = mantissa.substr(point + 1);
    magnitude -= static_cast<long long>(std::min(fraction.find_first_not_of('0'), fraction.size()));
  }
  return magnitude > 0;
}

}  // namespace

std::string HalfWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t character = 0;
    if (DecodeThreeByte(text, i, character)) {
      if (const char ascii = AsciiOf(character)) {
        out += ascii;
        i += 3;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

double ToNumber(std::string_view text) {
  const std::string ascii = HalfWidth(text);
  std::string_view s = ascii;
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  s = s.substr(0, NumberPrefixLength(s));
  if (s.empty()) return 0.0;

  const bool negative = s.front() == '-';
  if (s.front() == '+' || s.front() == '-') s.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = Overflows(s) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

std::int32_t TruncateBound(double value) {
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (!(value >= -kTwoTo63 && value < kTwoTo63)) return 0;
  const auto truncated = static_cast<std::int64_t>(value);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(truncated));
}

std::string IntegerText(std::int32_t value) { return std::to_string(value); }

std::int32_t HalfDown(std::int32_t value) {
  return static_cast<std::int32_t>(std::floor(value / 2.0));
}

}  // namespace kalkora
