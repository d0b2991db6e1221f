#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalkora {

// A signed decimal number held exactly: an unsigned integer of any length, kept as decimal
// digits, scaled by 10^-places. Answers are worked out with it so that no binary fraction ever
// touches a result.
class ExactDecimal {
 public:
  // Longest digit run (integer and fraction digits together) that Parse accepts: far more than
  // any operand text holds, and small enough that every operation stays quick.
  static constexpr std::size_t kMaxDigits = 40;

  ExactDecimal() = default;  // zero

  // Reads "[-]digits[.digits]" and nothing else: no plus sign, no blanks, no exponent, at
  // least one digit on either side of a point, at most kMaxDigits digits.
  static std::optional<ExactDecimal> Parse(std::string_view text);

  friend ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b);
  friend ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b);
  friend ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b);
  ExactDecimal operator-() const;

  struct Quotient;
  // dividend / divisor truncated toward zero after `places` decimal places, and whether nothing
  // was cut off. Throws std::domain_error for a zero divisor.
  static Quotient Divide(const ExactDecimal& dividend, const ExactDecimal& divisor,
                         std::size_t places);

  bool IsZero() const { return digits_.empty(); }
  bool IsNegative() const { return negative_; }

  // The value with trailing zeros after the point dropped (and the point with them), "-" in
  // front of a negative value, "0" for zero.
  std::string Text() const;

  // The value rounded half away from zero to exactly `places` places, trailing zeros kept; a
  // value that rounds to zero has no minus sign.
  std::string RoundedText(std::size_t places) const;

 private:
  // Least significant digit first, each 0 to 9, no zero at the most significant end: zero is
  // the empty vector and is never negative.
  using Digits = std::vector<int>;

  ExactDecimal(bool negative, Digits digits, std::size_t places);
  static ExactDecimal AddSigned(const ExactDecimal& a, const ExactDecimal& b, bool negateB);
  std::string TextWithPlaces(bool dropTrailingZeros) const;

  bool negative_ = false;
  Digits digits_;
  std::size_t places_ = 0;
};

struct ExactDecimal::Quotient {
  ExactDecimal value;
  bool exact = false;
};

}  // namespace kalkora
