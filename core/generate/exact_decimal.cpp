#include "core/generate/exact_decimal.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace kalkora {
namespace {

// Unsigned integers as decimal digits, least significant first, no zero at the top end.
using DigitVector = std::vector<int>;

void Trim(DigitVector& digits) {
  while (!digits.empty() && digits.back() == 0) digits.pop_back();
}

int Compare(const DigitVector& a, const DigitVector& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = a.size(); i-- > 0;) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

DigitVector Add(const DigitVector& a, const DigitVector& b) {
  DigitVector sum;
  int carry = 0;
  for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry != 0; ++i) {
    const int digit = carry + (i < a.size() ? a[i] : 0) + (i < b.size() ? b[i] : 0);
    sum.push_back(digit % 10);
    carry = digit / 10;
  }
  Trim(sum);
  return sum;
}

// a - b, for a not less than b.
DigitVector Subtract(const DigitVector& a, const DigitVector& b) {
  DigitVector difference = a;
  int borrow = 0;
  for (std::size_t i = 0; i < difference.size(); ++i) {
    const int digit = difference[i] - borrow - (i < b.size() ? b[i] : 0);
    borrow = digit < 0 ? 1 : 0;
    difference[i] = digit + 10 * borrow;
  }
  Trim(difference);
  return difference;
}

DigitVector Multiply(const DigitVector& a, const DigitVector& b) {
  if (a.empty() || b.empty()) return {};
  DigitVector product(a.size() + b.size(), 0);
  for (std::size_t i = 0; i < a.size(); ++i) {
    int carry = 0;
    for (std::size_t j = 0; j < b.size() || carry != 0; ++j) {
      const int digit = product[i + j] + carry + (j < b.size() ? a[i] * b[j] : 0);
      product[i + j] = digit % 10;
      carry = digit / 10;
    }
  }
  Trim(product);
  return product;
}

// digits × 10^places.
DigitVector ScaledUp(DigitVector digits, std::size_t places) {
  if (!digits.empty()) digits.insert(digits.begin(), places, 0);
  return digits;
}

struct DigitQuotient {
  DigitVector quotient;
  DigitVector remainder;
};

// Schoolbook long division, one decimal digit at a time; the divisor is not zero.
DigitQuotient LongDivide(const DigitVector& dividend, const DigitVector& divisor) {
  DigitQuotient result{DigitVector(dividend.size(), 0), {}};
  DigitVector& remainder = result.remainder;
  for (std::size_t i = dividend.size(); i-- > 0;) {
    // remainder × 10 + the next digit (digits are stored lowest first).
    remainder = ScaledUp(std::move(remainder), 1);
    if (remainder.empty()) remainder.push_back(0);
    remainder.front() = dividend[i];
    Trim(remainder);
    while (Compare(remainder, divisor) >= 0) {
      remainder = Subtract(remainder, divisor);
      ++result.quotient[i];
    }
  }
  Trim(result.quotient);
  return result;
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

ExactDecimal::ExactDecimal(bool negative, Digits digits, std::size_t places)
    : digits_(std::move(digits)), places_(places) {
  Trim(digits_);
  negative_ = negative && !digits_.empty();
}

std::optional<ExactDecimal> ExactDecimal::Parse(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  if (!AllDigits(whole) || (point != std::string_view::npos && !AllDigits(fraction)) ||
      whole.size() + fraction.size() > kMaxDigits) {
    return std::nullopt;
  }
  Digits digits;
  for (auto c = fraction.rbegin(); c != fraction.rend(); ++c) digits.push_back(*c - '0');
  for (auto c = whole.rbegin(); c != whole.rend(); ++c) digits.push_back(*c - '0');
  return ExactDecimal(negative, std::move(digits), fraction.size());
}

ExactDecimal ExactDecimal::AddSigned(const ExactDecimal& a, const ExactDecimal& b, bool negateB) {
  const std::size_t places = std::max(a.places_, b.places_);
  const Digits x = ScaledUp(a.digits_, places - a.places_);
  const Digits y = ScaledUp(b.digits_, places - b.places_);
  const bool bNegative = b.negative_ != negateB;
  if (a.negative_ == bNegative) return ExactDecimal(a.negative_, Add(x, y), places);
  if (Compare(x, y) >= 0) return ExactDecimal(a.negative_, Subtract(x, y), places);
  return ExactDecimal(bNegative, Subtract(y, x), places);
}

ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b) {
  return ExactDecimal::AddSigned(a, b, false);
}

ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b) {
  return ExactDecimal::AddSigned(a, b, true);
}

ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b) {
  return ExactDecimal(a.negative_ != b.negative_, Multiply(a.digits_, b.digits_),
                      a.places_ + b.places_);
}

ExactDecimal ExactDecimal::operator-() const { return ExactDecimal(!negative_, digits_, places_); }

ExactDecimal::Quotient ExactDecimal::Divide(const ExactDecimal& dividend,
                                            const ExactDecimal& divisor, std::size_t places) {
  if (divisor.IsZero()) throw std::domain_error("ExactDecimal::Divide by zero");
  // (D / 10^p) / (d / 10^q) × 10^places = (D × 10^(q + places)) / (d × 10^p).
  const DigitQuotient division = LongDivide(ScaledUp(dividend.digits_, divisor.places_ + places),
                                            ScaledUp(divisor.digits_, dividend.places_));
  return {ExactDecimal(dividend.negative_ != divisor.negative_, division.quotient, places),
          division.remainder.empty()};
}

std::string ExactDecimal::TextWithPlaces(bool dropTrailingZeros) const {
  std::string text;
  for (auto digit = digits_.rbegin(); digit != digits_.rend(); ++digit) {
    text += static_cast<char>('0' + *digit);
  }
  if (text.size() <= places_) text.insert(0, places_ + 1 - text.size(), '0');
  if (places_ > 0) {
    text.insert(text.size() - places_, 1, '.');
    if (dropTrailingZeros) {
      text.erase(text.find_last_not_of('0') + 1);
      if (text.back() == '.') text.pop_back();
    }
  }
  if (negative_) text.insert(0, 1, '-');
  return text;
}

std::string ExactDecimal::Text() const { return TextWithPlaces(true); }

std::string ExactDecimal::RoundedText(std::size_t places) const {
  if (places_ <= places) {
    return ExactDecimal(negative_, ScaledUp(digits_, places - places_), places)
        .TextWithPlaces(false);
  }
  const Digits unit = ScaledUp({1}, places_ - places);
  const DigitQuotient cut = LongDivide(digits_, unit);
  const bool awayFromZero = Compare(Add(cut.remainder, cut.remainder), unit) >= 0;
  const Digits kept = awayFromZero ? Add(cut.quotient, {1}) : cut.quotient;
  return ExactDecimal(negative_, kept, places).TextWithPlaces(false);
}

}  // namespace kalkora
