#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kalkora::fuzzing {

// A text as C source would write it, cut after `limit` bytes, for failure reports.
inline std::string Quoted(std::string_view text, std::size_t limit = 200) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
      out += static_cast<char>(byte);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned{byte});
      out += escaped;
    }
  }
  out += text.size() > limit ? "\"... (" + std::to_string(text.size()) + " bytes)" : "\"";
  return out;
}

// Reports what the oracle and the program disagree on, then stops the fuzzer.
[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "oracle mismatch: %s\n", what.c_str());
  std::abort();
}

}  // namespace kalkora::fuzzing
