#include "core/app/option_values.hpp"

#include <algorithm>

#include "core/generate/exact_decimal.hpp"

namespace kalkora {
namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string InvalidValue(std::string_view name, std::string_view rule, const std::string& value) {
  return std::string(name) + " " + std::string(rule) + "：" + value;
}

std::optional<std::string> WholeBoundProblem(std::string_view name, const std::string& value) {
  if (value.starts_with('-') && AllDigits(std::string_view(value).substr(1))) {
    return InvalidValue(name, "不能是负数", value);
  }
  if (!AllDigits(value)) return InvalidValue(name, "须是 0 或更大的整数", value);
  return std::nullopt;
}

std::optional<std::string> ResultBoundProblem(std::string_view name, const std::string& value) {
  const std::size_t point = value.find('.');
  const std::size_t sign = value.starts_with('-') ? 1 : 0;
  const std::size_t whole = (point == std::string::npos ? value.size() : point) - sign;
  const std::size_t fraction = point == std::string::npos ? 0 : value.size() - point - 1;
  if (!ExactDecimal::Parse(value) || whole > 12 || fraction > 6) {
    return InvalidValue(name, "须是一个数（最多 12 位整数、6 位小数）", value);
  }
  return std::nullopt;
}

}  // namespace kalkora
