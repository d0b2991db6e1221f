#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalkora::testing {

struct ZipEntry {
  std::string name;
  std::string contents;  // inflated
  std::uint32_t crc = 0;
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint16_t dosTime = 0;
  std::uint16_t dosDate = 0;
};

// Reads a zip archive through its end record and central directory, inflating each entry
// with zlib. Throws std::runtime_error when a header, a size or a CRC-32 disagrees.
std::vector<ZipEntry> ReadZip(std::string_view archive);

// The contents of the named entry; throws std::runtime_error when there is none.
std::string EntryContents(const std::vector<ZipEntry>& entries, std::string_view name);

}  // namespace kalkora::testing
