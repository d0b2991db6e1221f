#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kalkora::fuzzing {

// Splits a fuzzer's bytes into small numbers and texts, in the order they are asked for.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

  // A text up to the next 0 byte (or the end).
  std::string Text() {
    std::string text;
    while (at_ < size_ && data_[at_] != 0) text += static_cast<char>(data_[at_++]);
    if (at_ < size_) ++at_;
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace kalkora::fuzzing
