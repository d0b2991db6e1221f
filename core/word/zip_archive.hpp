#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace kalkora {

// The modification time written for every entry: a local date and time that the caller
// chooses, so that the same input always gives the same bytes. Zip stores even seconds only;
// an odd second is rounded down.
struct ZipTime {
  int year = 1980;  // 1980 to 2107
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Builds a zip archive in memory: each entry deflated with zlib, its name flagged as UTF-8,
// then the central directory and the end record.
//
// Errors: Add throws std::invalid_argument for an empty, over-long or repeated name and
// std::length_error when the archive would outgrow the 32-bit zip format; a failure inside
// zlib throws std::runtime_error with zlib's message. The constructor throws
// std::invalid_argument for a time that zip cannot store. After an exception the archive
// keeps the entries added before.
class ZipArchive {
 public:
  explicit ZipArchive(ZipTime modified);

  void Add(std::string_view name, std::string_view contents);

  // The whole archive. Entries may still be added afterwards; a later call includes them.
  std::string Bytes() const;

 private:
  std::uint16_t dosTime_;
  std::uint16_t dosDate_;
  std::string localPart_;         // local headers with their compressed data
  std::string centralDirectory_;  // one record per entry
  std::uint16_t entryCount_ = 0;
  std::set<std::string, std::less<>> names_;
};

}  // namespace kalkora
