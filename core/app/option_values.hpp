#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalkora {

// The checks that the command line's options and the 批量生成 dialog's fields share. Each
// gives the reason a value cannot be used, naming the option or field, or none.

// "名称 规则：值", the form of every such reason.
std::string InvalidValue(std::string_view name, std::string_view rule, const std::string& value);

// A range bound given on its own: a whole number of at least 0, in ASCII digits.
std::optional<std::string> WholeBoundProblem(std::string_view name, const std::string& value);

// A result bound: a decimal number of at most 12 whole and 6 fraction digits.
std::optional<std::string> ResultBoundProblem(std::string_view name, const std::string& value);

}  // namespace kalkora
