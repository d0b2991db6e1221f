#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kalkora {

// Reads the longest leading decimal number of a text (after full-width characters have become
// their ASCII counterparts and leading white space is skipped); 0 when there is none. Only
// sign, digits, point, fraction and exponent are read: no "inf", "nan" or hexadecimal.
double ToNumber(std::string_view text);

// The text of a full-width character's ASCII counterpart, or the character itself.
std::string HalfWidth(std::string_view text);

// A bound as the range boxes use it: toward zero to 64 bits, then the low 32 bits as a signed
// value. Values outside the 64-bit range, infinities and NaN give 0.
std::int32_t TruncateBound(double value);

// "%d".
std::string IntegerText(std::int32_t value);

// floor(x / 2).
std::int32_t HalfDown(std::int32_t value);

}  // namespace kalkora
