// The number reading of the range and places boxes over arbitrary texts, against a reading of
// the same grammar written apart from it; and each value's operand bound against the low
// 32 bits worked out with fmod.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/generate/number_text.hpp"
#include "failure.hpp"
#include "number_oracle.hpp"

using namespace kalkora;

namespace {

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = ToNumber(text);
  const double expected = fuzzing::ReadNumber(text);
  if (!(value == expected)) {
    fuzzing::Fail("ToNumber(" + fuzzing::Quoted(text) + ") = " + Number(value) + ", expected " +
                  Number(expected));
  }
  const std::int32_t bound = TruncateBound(value);
  const std::int32_t expectedBound = fuzzing::BoundOf(expected);
  if (bound != expectedBound) {
    fuzzing::Fail("TruncateBound(" + Number(value) + ") = " + std::to_string(bound) +
                  ", expected " + std::to_string(expectedBound));
  }
  return 0;
}
