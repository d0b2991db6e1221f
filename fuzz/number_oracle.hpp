#pragma once

#include <cstdint>
#include <string_view>

namespace kalkora::fuzzing {

// The number a range or places box reads as, worked out apart from the program's own reading:
// the full-width forms of the GBK code page become ASCII, leading white space is skipped, and
// the run of characters that can belong to a decimal number goes to strtod.
double ReadNumber(std::string_view text);

// The bound an operand draw uses: the value toward zero, its low 32 bits as a signed value;
// 0 for values beyond the 64-bit range.
std::int32_t BoundOf(double value);

}  // namespace kalkora::fuzzing
