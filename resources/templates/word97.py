"""Just enough of the Word 97-2003 binary format to read and amend the templates' section.

A .doc file is an OLE compound file; its WordDocument stream starts with the file information
block (FIB), which points into the table stream (0Table or 1Table) at the section table; each
section's properties (SEPX) are a list of sprms (property codes with operands) in the
WordDocument stream. Only what the templates need is read: streams, section properties and the
table row definitions.
"""

import struct

COMPOUND_FILE_MAGIC = bytes.fromhex("d0cf11e0a1b11ae1")
END_OF_CHAIN = 0xFFFFFFFE

# Section property codes (sprms) used here.
SPRM_HEADER_DISTANCE = 0xB017  # sprmSDyaHdrTop: top of page to top of header, twips
SPRM_FOOTER_DISTANCE = 0xB018  # sprmSDyaHdrBottom: bottom of page to bottom of footer, twips
SPRM_TABLE_DEFINITION = 0xD608  # sprmTDefTable: cell boundaries of a table row

FIB_CB_MAC = 64  # FibRgLw97.cbMac: bytes of the WordDocument stream in use
FIB_PLCF_SED = 202  # FibRgFcLcb97.fcPlcfSed / lcbPlcfSed: the section table


class CompoundFile:
    """An OLE compound file held in memory; streams can be read and rewritten in place."""

    def __init__(self, data):
        if data[:8] != COMPOUND_FILE_MAGIC:
            raise ValueError("not an OLE compound file")
        self.data = bytearray(data)
        self.sector_size = 1 << struct.unpack_from("<H", data, 30)[0]
        mini_sector_shift, = struct.unpack_from("<H", data, 32)
        self.mini_sector_size = 1 << mini_sector_shift
        fat_sectors, directory_start = struct.unpack_from("<II", data, 44)
        self.mini_cutoff, mini_fat_start = struct.unpack_from("<II", data, 56)
        if fat_sectors > 109:
            raise ValueError("compound files with an extended FAT are not supported")
        self.fat = []
        for sector in struct.unpack_from(f"<{fat_sectors}I", data, 76):
            self.fat += struct.unpack_from(f"<{self.sector_size // 4}I", data, self._offset(sector))
        self.entries = {}
        directory = self._read_chain(directory_start)
        for index in range(len(directory) // 128):
            entry = directory[index * 128 : (index + 1) * 128]
            name_length, = struct.unpack_from("<H", entry, 64)
            name = entry[: max(name_length - 2, 0)].decode("utf-16-le")
            start, size = struct.unpack_from("<IQ", entry, 116)
            self.entries[name] = (entry[66], start, size, self._directory_entry_offset(directory_start, index))
        root_start = next(start for kind, start, _, _ in self.entries.values() if kind == 5)
        self.mini_stream = self._read_chain(root_start)
        self.mini_fat = []
        if mini_fat_start < END_OF_CHAIN:
            mini_fat = self._read_chain(mini_fat_start)
            self.mini_fat = list(struct.unpack(f"<{len(mini_fat) // 4}I", mini_fat))

    def _offset(self, sector):
        return (sector + 1) * self.sector_size

    def _chain(self, start):
        sectors = []
        while start < END_OF_CHAIN:
            sectors.append(start)
            start = self.fat[start]
        return sectors

    def _read_chain(self, start):
        return b"".join(
            bytes(self.data[self._offset(s) : self._offset(s) + self.sector_size]) for s in self._chain(start)
        )

    def _directory_entry_offset(self, directory_start, index):
        per_sector = self.sector_size // 128
        sector = self._chain(directory_start)[index // per_sector]
        return self._offset(sector) + (index % per_sector) * 128

    def read(self, name):
        kind, start, size, _ = self.entries[name]
        if kind != 2:
            raise ValueError(f"{name} is not a stream")
        if size >= self.mini_cutoff:
            return self._read_chain(start)[:size]
        out = bytearray()
        while start < END_OF_CHAIN:
            out += self.mini_stream[start * self.mini_sector_size : (start + 1) * self.mini_sector_size]
            start = self.mini_fat[start]
        return bytes(out[:size])

    def rewrite(self, name, content):
        """Replaces a stream that lives in ordinary sectors by content of the same sector count."""
        _, start, size, entry_offset = self.entries[name]
        sectors = self._chain(start)
        if size < self.mini_cutoff or len(content) < self.mini_cutoff:
            raise ValueError(f"{name} is not kept in ordinary sectors")
        if -(-len(content) // self.sector_size) != len(sectors):
            raise ValueError(f"{name} would need a different number of sectors")
        padded = content + bytes(len(sectors) * self.sector_size - len(content))
        for index, sector in enumerate(sectors):
            chunk = padded[index * self.sector_size : (index + 1) * self.sector_size]
            self.data[self._offset(sector) : self._offset(sector) + self.sector_size] = chunk
        struct.pack_into("<Q", self.data, entry_offset + 120, len(content))
        self.entries[name] = (2, start, len(content), entry_offset)


def table_stream_name(word_document):
    flags, = struct.unpack_from("<H", word_document, 10)
    return "1Table" if flags & 0x0200 else "0Table"


def sprm_operand_size(code, grpprl, position):
    """Operand length of the sprm at position (its size class is in the top three bits)."""
    size_class = code >> 13
    if size_class == 6:  # variable length: a length byte, then the operand
        if code == SPRM_TABLE_DEFINITION:
            return struct.unpack_from("<H", grpprl, position)[0] + 1
        return grpprl[position] + 1
    return {0: 1, 1: 1, 2: 2, 3: 4, 4: 2, 5: 2, 7: 3}[size_class]


def parse_sprms(grpprl):
    """The (code, operand) pairs of a property list."""
    sprms, position = [], 0
    while position + 2 <= len(grpprl):
        code, = struct.unpack_from("<H", grpprl, position)
        size = sprm_operand_size(code, grpprl, position + 2)
        sprms.append((code, bytes(grpprl[position + 2 : position + 2 + size])))
        position += 2 + size
    return sprms


def section_property_locations(document):
    """Offsets of every section's SEPX (a 16-bit length, then the sprms) in WordDocument."""
    word_document = document.read("WordDocument")
    table = document.read(table_stream_name(word_document))
    table_offset, table_length = struct.unpack_from("<II", word_document, FIB_PLCF_SED)
    sections = (table_length - 4) // 16
    locations = []
    for index in range(sections):
        sed = table_offset + 4 * (sections + 1) + 12 * index
        sepx_offset, = struct.unpack_from("<i", table, sed + 2)
        locations.append(sepx_offset)
    return locations


def section_properties(document):
    """The section sprms of each section as a dict code -> operand bytes."""
    word_document = document.read("WordDocument")
    result = []
    for offset in section_property_locations(document):
        length, = struct.unpack_from("<H", word_document, offset)
        result.append(dict(parse_sprms(word_document[offset + 2 : offset + 2 + length])))
    return result


def set_section_distances(document, header_distance, footer_distance):
    """Sets the header and footer distances of the one section, whose SEPX ends the stream."""
    word_document = bytearray(document.read("WordDocument"))
    locations = section_property_locations(document)
    if len(locations) != 1:
        raise ValueError("expected exactly one section")
    offset = locations[0]
    length, = struct.unpack_from("<H", word_document, offset)
    if offset + 2 + length != len(word_document):
        raise ValueError("the section properties do not end the WordDocument stream")
    sprms = [
        (code, operand)
        for code, operand in parse_sprms(word_document[offset + 2 :])
        if code not in (SPRM_HEADER_DISTANCE, SPRM_FOOTER_DISTANCE)
    ]
    sprms += [
        (SPRM_HEADER_DISTANCE, struct.pack("<H", header_distance)),
        (SPRM_FOOTER_DISTANCE, struct.pack("<H", footer_distance)),
    ]
    grpprl = b"".join(struct.pack("<H", code) + operand for code, operand in sprms)
    amended = word_document[: offset] + struct.pack("<H", len(grpprl)) + grpprl
    struct.pack_into("<I", amended, FIB_CB_MAC, len(amended))
    document.rewrite("WordDocument", bytes(amended))


def table_row_boundaries(document):
    """The cell boundaries (twips from the left margin) of every table row definition."""
    word_document = document.read("WordDocument")
    rows, position = [], 0
    pattern = struct.pack("<H", SPRM_TABLE_DEFINITION)
    while (position := word_document.find(pattern, position)) >= 0:
        operand_length, cells = struct.unpack_from("<HB", word_document, position + 2)
        # The length counts one more than the cell count, the cells + 1 boundaries and a
        # 20-byte descriptor per cell.
        if 1 <= cells <= 63 and operand_length == 2 + 2 * (cells + 1) + 20 * cells:
            rows.append(list(struct.unpack_from(f"<{cells + 1}h", word_document, position + 5)))
        position += 2
    return rows
