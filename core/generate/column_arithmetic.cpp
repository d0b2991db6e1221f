#include "core/generate/column_arithmetic.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "core/generate/exact_decimal.hpp"

namespace kalkora {
namespace {

struct Columns {
  std::string_view whole;
  std::string_view fraction;
};

std::optional<Columns> Split(std::string_view text) {
  const std::size_t point = text.find('.');
  Columns columns{text.substr(0, point),
                  point == std::string_view::npos ? std::string_view() : text.substr(point + 1)};
  const auto digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (columns.whole.empty() || !digits(columns.whole) || !digits(columns.fraction)) {
    return std::nullopt;
  }
  if (point != std::string_view::npos && columns.fraction.empty()) return std::nullopt;
  return columns;
}

// The digit of a number in a column: `column` 0 is the last fraction column of the wider
// fraction (`places` of them), counting leftwards; 0 beyond the number's own digits.
int DigitAt(const Columns& number, std::size_t places, std::size_t column) {
  if (column < places) {
    const std::size_t index = places - 1 - column;  // into the fraction, from the point
    return index < number.fraction.size() ? number.fraction[index] - '0' : 0;
  }
  const std::size_t fromRight = column - places;
  if (fromRight >= number.whole.size()) return 0;
  return number.whole[number.whole.size() - 1 - fromRight] - '0';
}

struct Aligned {
  Columns a, b;
  std::size_t places = 0, columns = 0;
};

std::optional<Aligned> Align(std::string_view a, std::string_view b) {
  const std::optional<Columns> x = Split(a);
  const std::optional<Columns> y = Split(b);
  if (!x || !y) return std::nullopt;
  const std::size_t places = std::max(x->fraction.size(), y->fraction.size());
  const std::size_t whole = std::max(x->whole.size(), y->whole.size());
  return Aligned{*x, *y, places, places + whole};
}

}  // namespace

bool AdditionCarries(std::string_view a, std::string_view b) {
  const std::optional<Aligned> aligned = Align(a, b);
  if (!aligned) return false;
  // Until the first column that carries, every carry coming in is 0.
  for (std::size_t column = 0; column < aligned->columns; ++column) {
    if (DigitAt(aligned->a, aligned->places, column) +
            DigitAt(aligned->b, aligned->places, column) >=
        10) {
      return true;
    }
  }
  return false;
}

bool SubtractionBorrows(std::string_view top, std::string_view bottom) {
  const std::optional<Aligned> aligned = Align(top, bottom);
  if (!aligned) return false;
  for (std::size_t column = 0; column < aligned->columns; ++column) {
    // Until the first column that borrows, no borrow is taken.
    if (DigitAt(aligned->a, aligned->places, column) <
        DigitAt(aligned->b, aligned->places, column)) {
      return true;
    }
  }
  return false;
}

bool DivisionLeavesRemainder(std::string_view dividend, std::string_view divisor,
                             std::size_t places) {
  const std::optional<ExactDecimal> a = ExactDecimal::Parse(dividend);
  const std::optional<ExactDecimal> b = ExactDecimal::Parse(divisor);
  if (!a || !b || b->IsZero()) return true;
  return !ExactDecimal::Divide(*a, *b, places).exact;
}

}  // namespace kalkora
