#include "fakes/sheet_invariants.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <regex>

namespace kalkora::testing {
namespace {

struct AllowedRange {
  std::int64_t lo;
  std::int64_t hi;
};

AllowedRange ClampedBounds(const CheckedSettings& settings) {
  const std::int64_t a = std::max(settings.bounds.from, 0);
  const std::int64_t b = std::max(settings.bounds.to, 0);
  const std::int64_t lo = std::min(a, b);
  return {lo, std::min(std::max(a, b), lo + 32767)};
}

std::optional<int> PlacesCount(const CheckedSettings& settings) {
  if (!settings.decimalsOn) return 0;
  for (int k = 1; k <= 5; ++k) {
    if (settings.places == std::to_string(k)) return k;
  }
  return std::nullopt;  // the suffixes stay as they were
}

bool IsTwoOperandKind(ExerciseKind kind) {
  return kind != ExerciseKind::ChainAddition && kind != ExerciseKind::ChainAddSub &&
         kind != ExerciseKind::Fraction;
}

bool IsLargerFirst(ExerciseKind kind, int p, const std::string& op) {
  switch (kind) {
    case ExerciseKind::Subtraction:
    case ExerciseKind::Division:
      return true;
    case ExerciseKind::AddSubMixed:
    case ExerciseKind::MulDivMixed:
      return p >= 10;
    case ExerciseKind::FourOpMixed:
      return op == "-" || op == "÷";
    default:
      return false;
  }
}

std::int64_t Value(const std::string& digits) {
  return digits.size() > 10 ? INT64_MAX : std::stoll(digits);
}

std::string Where(int p, const std::string& text) {
  return "position " + std::to_string(p) + " \"" + text + "\": ";
}

}  // namespace

std::string CheckSheet(const CheckedSettings& settings, const std::vector<std::string>& texts) {
  if (texts.size() != static_cast<std::size_t>(settings.sheetSize)) {
    return "expected " + std::to_string(settings.sheetSize) + " texts, got " +
           std::to_string(texts.size());
  }
  const AllowedRange bounds = ClampedBounds(settings);
  const auto inRange = [&](std::int64_t v) { return v >= bounds.lo && v <= bounds.hi; };
  const std::optional<int> places = PlacesCount(settings);
  static const std::regex integer(R"(0|[1-9]\d*)");
  static const std::regex pair(R"((0|[1-9]\d*)(\.\d+)? (\+|-|×|÷) (0|[1-9]\d*)(\.\d+)? =)");
  static const std::regex fraction(R"((0|[1-9]\d*) / (0|[1-9]\d*) =)");
  static const std::regex piece(R"(( [+-] )?(\d+))");
  static const std::regex suffixShapes[] = {std::regex(""),
                                            std::regex(R"(\.[1-9])"),
                                            std::regex(R"(\.[1-9]\d)"),
                                            std::regex(R"(\.[1-9]\d{2})"),
                                            std::regex(R"(\.[1-9]\d{3})"),
                                            std::regex(R"(\.[1-9]\d{4})")};
  std::optional<std::string> staleSuffixes;

  for (int p = 1; p <= settings.sheetSize; ++p) {
    const std::string& text = texts.at(static_cast<std::size_t>(p - 1));
    std::smatch m;
    if (IsTwoOperandKind(settings.kind)) {
      if (!std::regex_match(text, m, pair)) return Where(p, text) + "not a two-operand problem";
      const std::int64_t left = Value(m[1]), right = Value(m[4]);
      if (!inRange(left) || !inRange(right)) return Where(p, text) + "operand out of range";
      if (IsLargerFirst(settings.kind, p, m[3]) && left < right) {
        return Where(p, text) + "the smaller operand is first";
      }
      const std::string suffixes = std::string(m[2]) + "|" + std::string(m[5]);
      if (places) {
        const std::regex& shape = suffixShapes[*places];
        if (!std::regex_match(std::string(m[2]), shape) ||
            !std::regex_match(std::string(m[5]), shape)) {
          return Where(p, text) + "suffix without " + std::to_string(*places) + " digits";
        }
      } else if (staleSuffixes.value_or(suffixes) != suffixes) {
        return Where(p, text) + "suffixes changed without a places count";
      }
      staleSuffixes = suffixes;
    } else if (settings.kind == ExerciseKind::Fraction) {
      if (!std::regex_match(text, m, fraction)) return Where(p, text) + "not a fraction";
      const std::int64_t numerator = Value(m[1]), denominator = Value(m[2]);
      if (!inRange(denominator)) return Where(p, text) + "denominator out of range";
      if (2 * numerator > denominator) return Where(p, text) + "more than one half";
    } else {
      if (!text.ends_with(" =")) return Where(p, text) + "does not end in \" =\"";
      std::vector<std::int64_t> operands;
      std::vector<std::string> operators;
      const std::string body = text.substr(0, text.size() - 2);
      std::string rebuilt;
      for (auto it = std::sregex_iterator(body.begin(), body.end(), piece);
           it != std::sregex_iterator(); ++it) {
        if (!std::regex_match(std::string((*it)[2]), integer)) return Where(p, text) + "bad number";
        operands.push_back(Value((*it)[2]));
        operators.push_back((*it)[1]);
        rebuilt += it->str();
      }
      if (rebuilt != body) return Where(p, text) + "not a chain of operands";
      const std::size_t count = settings.sheetSize == 30 ? 4 : 5;
      if (operands.size() != count) return Where(p, text) + "wrong operand count";
      for (std::size_t i = 0; i < operands.size(); ++i) {
        if (operands[i] > bounds.hi) return Where(p, text) + "operand above the range";
        const bool halved = operators[i] == " - " || (i == 4);
        if (!halved && !inRange(operands[i])) return Where(p, text) + "operand out of range";
      }
      if (settings.kind == ExerciseKind::ChainAddition &&
          std::ranges::count(operators, std::string(" + ")) != static_cast<long>(count - 1)) {
        return Where(p, text) + "chained addition with a minus";
      }
    }
  }
  return {};
}

}  // namespace kalkora::testing
