// ToNumber and the bound truncation over arbitrary texts: no undefined behaviour, a bound is
// always what truncating the read value gives, and a text without a number reads as 0.
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "core/generate/number_text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = kalkora::ToNumber(text);
  if (std::isnan(value)) std::abort();
  const std::int32_t bound = kalkora::TruncateBound(value);
  if (std::isfinite(value) && std::fabs(value) < 2147483648.0 &&
      bound != static_cast<std::int32_t>(std::trunc(value))) {
    std::abort();
  }
  if (!std::isfinite(value) && bound != 0) std::abort();
  return 0;
}
