#include "zip_reading.hpp"

#include <zlib.h>

#include <stdexcept>

namespace kalkora::testing {
namespace {

class Cursor {
 public:
  Cursor(std::string_view bytes, std::size_t at) : bytes_(bytes), at_(at) {}

  std::uint32_t Read(int size) {
    if (at_ + static_cast<std::size_t>(size) > bytes_.size()) Fail("read past the end");
    std::uint32_t value = 0;
    for (int index = size - 1; index >= 0; --index) {
      value =
          value << 8 | static_cast<unsigned char>(bytes_[at_ + static_cast<std::size_t>(index)]);
    }
    at_ += static_cast<std::size_t>(size);
    return value;
  }
  std::uint16_t Read16() { return static_cast<std::uint16_t>(Read(2)); }
  std::uint32_t Read32() { return Read(4); }

  std::string_view Take(std::size_t size) {
    if (at_ + size > bytes_.size()) Fail("read past the end");
    const std::string_view taken = bytes_.substr(at_, size);
    at_ += size;
    return taken;
  }

  [[noreturn]] static void Fail(const std::string& what) {
    throw std::runtime_error("zip archive: " + what);
  }

 private:
  std::string_view bytes_;
  std::size_t at_;
};

std::string Inflate(std::string_view compressed, std::size_t size) {
  std::string out(size, '\0');
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) Cursor::Fail("inflateInit2 failed");
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int code = inflate(&stream, Z_FINISH);
  const bool whole = code == Z_STREAM_END && stream.avail_in == 0 && stream.avail_out == 0;
  inflateEnd(&stream);
  if (!whole) Cursor::Fail("deflated data does not inflate to its recorded size");
  return out;
}

}  // namespace

std::vector<ZipEntry> ReadZip(std::string_view archive) {
  if (archive.size() < 22) Cursor::Fail("too short");
  Cursor end(archive, archive.size() - 22);
  if (end.Read32() != 0x06054b50) Cursor::Fail("no end record at the end");
  if (end.Read16() != 0 || end.Read16() != 0) Cursor::Fail("a multi-disk archive");
  const std::uint16_t count = end.Read16();
  if (end.Read16() != count) Cursor::Fail("entry counts differ");
  const std::uint32_t directorySize = end.Read32();
  const std::uint32_t directoryOffset = end.Read32();
  if (end.Read16() != 0) Cursor::Fail("an archive comment");
  if (std::size_t{directoryOffset} + directorySize + 22 != archive.size()) {
    Cursor::Fail("the central directory does not end at the end record");
  }

  std::vector<ZipEntry> entries;
  Cursor central(archive, directoryOffset);
  for (std::uint16_t index = 0; index < count; ++index) {
    if (central.Read32() != 0x02014b50) Cursor::Fail("bad central header");
    central.Read16();  // version made by
    ZipEntry entry;
    const std::uint16_t needed = central.Read16();
    entry.flags = central.Read16();
    entry.method = central.Read16();
    entry.dosTime = central.Read16();
    entry.dosDate = central.Read16();
    entry.crc = central.Read32();
    const std::uint32_t compressedSize = central.Read32();
    const std::uint32_t size = central.Read32();
    const std::uint16_t nameLength = central.Read16();
    const std::uint16_t extraLength = central.Read16();
    const std::uint16_t commentLength = central.Read16();
    central.Read16();  // disk
    central.Read16();  // internal attributes
    central.Read32();  // external attributes
    const std::uint32_t offset = central.Read32();
    entry.name = central.Take(nameLength);
    central.Take(std::size_t{extraLength} + commentLength);

    Cursor local(archive, offset);
    if (local.Read32() != 0x04034b50) Cursor::Fail("bad local header of " + entry.name);
    const bool sameHeader = local.Read16() == needed && local.Read16() == entry.flags &&
                            local.Read16() == entry.method && local.Read16() == entry.dosTime &&
                            local.Read16() == entry.dosDate && local.Read32() == entry.crc &&
                            local.Read32() == compressedSize && local.Read32() == size &&
                            local.Read16() == nameLength;
    const std::uint16_t localExtra = local.Read16();
    if (!sameHeader || local.Take(nameLength) != entry.name) {
      Cursor::Fail("local and central headers differ for " + entry.name);
    }
    local.Take(localExtra);
    const std::string_view data = local.Take(compressedSize);
    if (entry.method != 8) Cursor::Fail(entry.name + " is not deflated");
    entry.contents = Inflate(data, size);
    const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(entry.contents.data()),
                            static_cast<uInt>(entry.contents.size()));
    if (crc != entry.crc) Cursor::Fail("CRC-32 mismatch in " + entry.name);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string EntryContents(const std::vector<ZipEntry>& entries, std::string_view name) {
  for (const ZipEntry& entry : entries) {
    if (entry.name == name) return entry.contents;
  }
  throw std::runtime_error("no zip entry named " + std::string(name));
}

}  // namespace kalkora::testing
