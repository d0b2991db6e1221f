#include "core/word/zip_archive.hpp"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

namespace kalkora {
namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndRecordSignature = 0x06054b50;
constexpr std::uint16_t kVersion = 20;           // 2.0: deflate
constexpr std::uint16_t kUtf8NameFlag = 0x0800;  // general purpose bit 11
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint64_t kMaxFieldValue = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kMaxChunk = 1u << 30;  // what one zlib call is given at most

void Put16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xff));
  out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<char>((value >> shift) & 0xff));
  }
}

std::uint32_t Field32(std::uint64_t value) {
  if (value > kMaxFieldValue) {
    throw std::length_error("the zip archive would exceed 4 GiB, which it cannot record");
  }
  return static_cast<std::uint32_t>(value);
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

std::string ZlibFailure(const char* step, int code, const z_stream& stream) {
  std::string text = "zlib failed to ";
  text += step;
  text += " (";
  text += stream.msg != nullptr ? stream.msg : zError(code);
  text += ")";
  return text;
}

std::uint32_t Crc32(std::string_view bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  for (std::size_t done = 0; done < bytes.size();) {
    const std::size_t chunk = std::min(bytes.size() - done, kMaxChunk);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data() + done), static_cast<uInt>(chunk));
    done += chunk;
  }
  return static_cast<std::uint32_t>(crc);
}

// Raw deflate (negative window bits: no zlib header or trailer), as zip stores it.
std::string Deflate(std::string_view bytes) {
  z_stream stream{};
  int code =
      deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  if (code != Z_OK) throw std::runtime_error(ZlibFailure("start deflating", code, stream));

  std::string out;
  std::array<Bytef, 1 << 16> buffer{};
  std::size_t consumed = 0;
  do {
    const std::size_t chunk = std::min(bytes.size() - consumed, kMaxChunk);
    // zlib's interface takes a non-const pointer but only reads the input.
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + consumed));
    stream.avail_in = static_cast<uInt>(chunk);
    consumed += chunk;
    const int flush = consumed == bytes.size() ? Z_FINISH : Z_NO_FLUSH;
    do {
      stream.next_out = buffer.data();
      stream.avail_out = static_cast<uInt>(buffer.size());
      code = deflate(&stream, flush);
      if (code == Z_STREAM_ERROR) {
        deflateEnd(&stream);
        throw std::runtime_error(ZlibFailure("deflate", code, stream));
      }
      out.append(reinterpret_cast<const char*>(buffer.data()), buffer.size() - stream.avail_out);
    } while (stream.avail_out == 0);
  } while (consumed < bytes.size());

  const bool finished = code == Z_STREAM_END;
  deflateEnd(&stream);
  if (!finished) throw std::runtime_error(ZlibFailure("finish deflating", code, stream));
  return out;
}

}  // namespace

ZipArchive::ZipArchive(ZipTime modified) {
  if (!InRange(modified.year, 1980, 2107) || !InRange(modified.month, 1, 12) ||
      !InRange(modified.day, 1, 31) || !InRange(modified.hour, 0, 23) ||
      !InRange(modified.minute, 0, 59) || !InRange(modified.second, 0, 59)) {
    throw std::invalid_argument("a zip entry's time must lie between 1980 and 2107");
  }
  dosTime_ =
      static_cast<std::uint16_t>(modified.hour << 11 | modified.minute << 5 | modified.second / 2);
  dosDate_ =
      static_cast<std::uint16_t>((modified.year - 1980) << 9 | modified.month << 5 | modified.day);
}

void ZipArchive::Add(std::string_view name, std::string_view contents) {
  if (name.empty() || name.size() > std::numeric_limits<std::uint16_t>::max()) {
    throw std::invalid_argument("a zip entry needs a name of 1 to 65535 bytes");
  }
  if (names_.contains(name)) {
    throw std::invalid_argument("the zip archive already holds an entry named " +
                                std::string(name));
  }
  if (entryCount_ == std::numeric_limits<std::uint16_t>::max()) {
    throw std::length_error("the zip archive cannot hold more than 65535 entries");
  }

  const std::string compressed = Deflate(contents);
  const std::uint32_t crc = Crc32(contents);
  const std::uint32_t compressedSize = Field32(compressed.size());
  const std::uint32_t size = Field32(contents.size());
  const std::uint32_t offset = Field32(localPart_.size());
  const auto nameLength = static_cast<std::uint16_t>(name.size());
  // The whole archive with this entry: local header (30 bytes), central record (46), end (22).
  Field32(std::uint64_t{localPart_.size()} + centralDirectory_.size() + 30 + 46 + 22 +
          2 * name.size() + compressed.size());

  std::string local;
  Put32(local, kLocalHeaderSignature);
  for (std::uint16_t field : {kVersion, kUtf8NameFlag, kDeflated, dosTime_, dosDate_}) {
    Put16(local, field);
  }
  for (std::uint32_t field : {crc, compressedSize, size}) Put32(local, field);
  Put16(local, nameLength);
  Put16(local, 0);  // no extra field
  local += name;
  local += compressed;

  std::string central;
  Put32(central, kCentralHeaderSignature);
  for (std::uint16_t field : {kVersion, kVersion, kUtf8NameFlag, kDeflated, dosTime_, dosDate_}) {
    Put16(central, field);
  }
  for (std::uint32_t field : {crc, compressedSize, size}) Put32(central, field);
  Put16(central, nameLength);
  for (int field = 0; field < 4; ++field) Put16(central, 0);  // extra, comment, disk, internal
  Put32(central, 0);                                          // external attributes
  Put32(central, offset);
  central += name;

  localPart_ += local;
  centralDirectory_ += central;
  names_.emplace(name);
  ++entryCount_;
}

std::string ZipArchive::Bytes() const {
  std::string archive = localPart_;
  archive += centralDirectory_;
  Put32(archive, kEndRecordSignature);
  Put16(archive, 0);  // this disk
  Put16(archive, 0);  // disk holding the central directory
  Put16(archive, entryCount_);
  Put16(archive, entryCount_);
  Put32(archive, Field32(centralDirectory_.size()));
  Put32(archive, Field32(localPart_.size()));
  Put16(archive, 0);  // no comment
  return archive;
}

}  // namespace kalkora
