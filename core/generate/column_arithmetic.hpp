#pragma once

#include <cstddef>
#include <string_view>

namespace kalkora {

// Column tests on non-negative decimal texts "digits[.digits]", as a pupil works them on
// paper: both numbers aligned on the decimal point and padded with zeros. A text that is not
// of that form counts as neither carrying nor borrowing.

// a + b carries when, in some column, its two digits and the carry coming in reach 10.
bool AdditionCarries(std::string_view a, std::string_view b);

// top - bottom borrows when, in some column, the top digit less the borrow taken by the
// column to its right is smaller than the bottom digit.
bool SubtractionBorrows(std::string_view top, std::string_view bottom);

// Whole numbers: whether dividend ÷ divisor leaves a remainder. Decimals: whether the quotient
// goes on beyond `places` decimal places. A zero divisor counts as leaving one.
bool DivisionLeavesRemainder(std::string_view dividend, std::string_view divisor,
                             std::size_t places);

}  // namespace kalkora
