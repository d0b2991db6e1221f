#pragma once

#include <string>

#include "core/generate/problem.hpp"

namespace kalkora {

// The result of one problem, worked out exactly in decimal from its operands and operators:
// - sums, differences, chains and products: the exact value with trailing zeros after the
//   point dropped, "-" in front of a negative value, "0" for zero ("7.31", "-23");
// - ÷ of two integers: "q" when it divides, else "q……r" with q truncated toward zero and
//   r = a - q×b, so r has the dividend's sign ("-7 ÷ 2" gives "-3……-1", "7 ÷ -2" gives
//   "-3……1");
// - ÷ where either operand is written with a decimal part, even ".0" ("7.0 ÷ 2" gives "3.5"):
//   the exact quotient when it ends within 4 places, else "≈" and the quotient rounded half
//   away from zero to exactly 2 places ("≈1.40", "≈-0.33"); one that rounds to zero is
//   "≈0.00", never "≈-0.00";
// - "n / d": the fraction in lowest terms "a/b", its sign in front and the denominator
//   positive, a whole number when it is one ("-1/4", "3", "0");
// - a zero divisor or denominator: "—".
// Any other problem also gives "—" rather than an error: × or ÷ mixed with other operators,
// more than two operands of × ÷ or /, operators that do not match the operands, an operand
// that is not "[-]digits[.digits]" of at most 40 digits, or a fraction with a decimal point.
std::string ResultText(const Problem& problem);

// What the key shows for a problem: the value that fills its blank, so its ResultText, or the
// operand left blank.
std::string AnswerText(const Problem& problem);

}  // namespace kalkora
