#!/usr/bin/env python3
"""Reads the three worksheet templates back through LibreOffice and checks their structure.

Each .doc is converted to a flat OpenDocument text by a headless LibreOffice on a private
profile, and the paragraphs, the table geometry, the styles and the page are compared with the
layout the cell writer relies on. The header and footer distances, which LibreOffice does not
read back for pages without a header or footer, and the exact cell boundaries are read from
the Word file itself.

usage: check_template_structure.py TEMPLATE_DIR (the folder also holds the word97 reader)
Exit status: 0 all good, 1 a difference, 77 no LibreOffice (the test is skipped).
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

from odf_lengths import twips

SKIP = 77
TOLERANCE = 2  # twips
CONVERSION_TIMEOUT = 180  # seconds

TITLE = "数学作业练习"
ROW_HEIGHTS = [210, 1453, 240, 1550, 285, 1485, 375, 1535, 270, 1560, 300, 1245]
SHEETS = [
    # file, sheet size, column widths, table left edge, left and right page margins
    ("doc.doc", 18, [3085, 3033, 3090], -108, 1457, 1457),
    ("d24.doc", 24, [2694, 2694, 2694, 2691], -851, 1457, 1457),
    ("d30.doc", 30, [2247, 2247, 2247, 2246, 2241], -1134, 1474, 1531),
]

NS = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
    "svg": "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0",
    "dc": "http://purl.org/dc/elements/1.1/",
    "meta": "urn:oasis:names:tc:opendocument:xmlns:meta:1.0",
}


def q(name):
    prefix, local = name.split(":")
    return f"{{{NS[prefix]}}}{local}"


class Checker:
    def __init__(self, name):
        self.name = name
        self.failures = []

    def equal(self, what, actual, expected):
        if actual != expected:
            self.failures.append(f"{self.name}: {what} is {actual!r}, expected {expected!r}")

    def near(self, what, length, expected):
        """A length (ODF text such as '0.5591in', or twips) within the tolerance of twips."""
        if length is None:
            self.failures.append(f"{self.name}: {what} is missing, expected {expected} twips")
            return
        actual = twips(length) if isinstance(length, str) else length
        if abs(actual - expected) > TOLERANCE:
            self.failures.append(f"{self.name}: {what} is {actual:.1f} twips, expected {expected}")


class Styles:
    """Named styles of a flat ODF document, with properties looked up along the parent chain."""

    def __init__(self, root):
        self.by_name = {}
        for container in ("office:styles", "office:automatic-styles"):
            for element in root.find(q(container)) or []:
                name = element.get(q("style:name"))
                if name is not None:
                    self.by_name[(element.tag, element.get(q("style:family")), name)] = element
        self.paragraph_default = root.find(
            f"{q('office:styles')}/{q('style:default-style')}[@{q('style:family')}='paragraph']"
        )
        self.fonts = {
            face.get(q("style:name")): face.get(q("svg:font-family")).strip("'")
            for face in root.iter(q("style:font-face"))
        }

    def style(self, family, name):
        return self.by_name.get((q("style:style"), family, name))

    def chain(self, family, name):
        """The style, its parent and so on, ending with the family's default style."""
        styles = []
        while name is not None and (style := self.style(family, name)) is not None:
            styles.append(style)
            name = style.get(q("style:parent-style-name"))
        if family == "paragraph" and self.paragraph_default is not None:
            styles.append(self.paragraph_default)
        return styles

    def names(self, family, name):
        return [s.get(q("style:name")) for s in self.chain(family, name)]

    def property(self, family, name, kind, attribute):
        for style in self.chain(family, name):
            properties = style.find(q(kind))
            if properties is not None and properties.get(q(attribute)) is not None:
                return properties.get(q(attribute))
        return None

    def font(self, family, name, attribute):
        return self.fonts.get(self.property(family, name, "style:text-properties", attribute))


def paragraph_text(paragraph):
    return "".join(paragraph.itertext())


def paragraph_style(paragraph):
    return paragraph.get(q("text:style-name"))


def is_paragraph(element):
    return element.tag in (q("text:p"), q("text:h"))


def check_empty_normal_paragraph(check, styles, what, paragraph):
    check.equal(f"{what} is a paragraph", is_paragraph(paragraph), True)
    check.equal(f"{what} text", paragraph_text(paragraph), "")
    check.equal(f"{what} content", [child.tag for child in paragraph], [])
    check.equal(f"{what} is in Normal", "Standard" in styles.names("paragraph", paragraph_style(paragraph)), True)
    check.equal(f"{what} is no title", "Title" in styles.names("paragraph", paragraph_style(paragraph)), False)


def check_title(check, styles, paragraph):
    check.equal("paragraph 1 is a paragraph", is_paragraph(paragraph), True)
    check.equal("paragraph 1 text", paragraph_text(paragraph), TITLE)
    name = paragraph_style(paragraph)
    check.equal("paragraph 1 is in the Title style", "Title" in styles.names("paragraph", name), True)
    paragraph_property = lambda attribute: styles.property("paragraph", name, "style:paragraph-properties", attribute)
    check.equal("title alignment", paragraph_property("fo:text-align"), "center")
    check.near("title space before", paragraph_property("fo:margin-top"), 240)
    check.near("title space after", paragraph_property("fo:margin-bottom"), 60)
    check.equal("title style bold", styles.property("paragraph", "Title", "style:text-properties", "fo:font-weight"), "bold")
    check.equal("title style Latin font", styles.font("paragraph", "Title", "style:font-name"), "Cambria")
    # The run's size: the paragraph's own, or that of spans covering the whole text.
    spans = [child for child in paragraph if child.tag == q("text:span")]
    sizes = set()
    for attribute in ("fo:font-size", "style:font-size-asian"):
        size = styles.property("paragraph", name, "style:text-properties", attribute)
        for span in spans:
            size = styles.property("text", span.get(q("text:style-name")), "style:text-properties", attribute) or size
        sizes.add(size)
    check.equal("title run size", sizes, {"24pt"})
    weight = styles.property("paragraph", name, "style:text-properties", "fo:font-weight")
    for span in spans:
        weight = styles.property("text", span.get(q("text:style-name")), "style:text-properties", "fo:font-weight") or weight
    check.equal("title run bold", weight, "bold")


def table_columns(table):
    columns = []
    for column in table.iter(q("table:table-column")):
        columns += [column.get(q("table:style-name"))] * int(column.get(q("table:number-columns-repeated"), "1"))
    return columns


def check_cell(check, styles, what, cell):
    name = cell.get(q("table:style-name"))
    cell_property = lambda attribute: styles.property("table-cell", name, "style:table-cell-properties", attribute)
    for side in ("top", "bottom", "left", "right"):
        border = cell_property(f"fo:border-{side}") or cell_property("fo:border")
        width, line = (border or "missing missing").split()[:2]
        check.near(f"{what} {side} border width", width if border else None, 10)
        check.equal(f"{what} {side} border line", line, "solid")
        check.equal(f"{what} {side} border is single", cell_property(f"style:border-line-width-{side}"), None)
    check.near(f"{what} left margin", cell_property("fo:padding-left") or cell_property("fo:padding"), 108)
    check.near(f"{what} right margin", cell_property("fo:padding-right") or cell_property("fo:padding"), 108)


def expected_cell_paragraphs(sheet_size, row, column):
    """(paragraph count, first paragraph holds a line break) for a cell, rows from 1."""
    if row % 2 == 1 or column > 1:
        return 1, False
    if sheet_size == 30 and row == 2:
        return 5, True
    return 6, False


def check_table(check, styles, table, sheet_size, widths, left_edge):
    name = table.get(q("table:style-name"))
    check.near("table left edge", styles.property("table", name, "style:table-properties", "fo:margin-left"), left_edge)
    check.near("table width", styles.property("table", name, "style:table-properties", "style:width"), sum(widths))
    columns = table_columns(table)
    check.equal("column count", len(columns), len(widths))
    for index, (column, width) in enumerate(zip(columns, widths), start=1):
        check.near(f"column {index} width",
                   styles.property("table-column", column, "style:table-column-properties", "style:column-width"), width)
    rows = list(table.iter(q("table:table-row")))
    check.equal("row count", len(rows), len(ROW_HEIGHTS))
    for row_number, (row, height) in enumerate(zip(rows, ROW_HEIGHTS), start=1):
        row_style = row.get(q("table:style-name"))
        row_property = lambda attribute: styles.property("table-row", row_style, "style:table-row-properties", attribute)
        check.near(f"row {row_number} minimum height", row_property("style:min-row-height"), height)
        check.equal(f"row {row_number} has no fixed height", row_property("style:row-height"), None)
        cells = row.findall(q("table:table-cell"))
        check.equal(f"row {row_number} cell count", len(cells), len(widths))
        for column_number, cell in enumerate(cells, start=1):
            what = f"cell {row_number}/{column_number}"
            check_cell(check, styles, what, cell)
            count, line_break = expected_cell_paragraphs(sheet_size, row_number, column_number)
            paragraphs = list(cell)
            check.equal(f"{what} paragraphs", len(paragraphs), count)
            for index, paragraph in enumerate(paragraphs):
                if index == 0 and line_break:
                    check.equal(f"{what} first paragraph", [child.tag for child in paragraph], [q("text:line-break")])
                    check.equal(f"{what} first paragraph text", paragraph_text(paragraph), "")
                else:
                    check_empty_normal_paragraph(check, styles, f"{what} paragraph {index + 1}", paragraph)


def check_page(check, styles, root, margin_left, margin_right):
    master = root.find(f"{q('office:master-styles')}/{q('style:master-page')}")
    layout_name = master.get(q("style:page-layout-name"))
    layout = next(element for element in root.iter(q("style:page-layout"))
                  if element.get(q("style:name")) == layout_name)
    page = layout.find(q("style:page-layout-properties"))
    for attribute, expected in (("fo:page-width", 11906), ("fo:page-height", 16838), ("fo:margin-top", 805),
                                ("fo:margin-bottom", 822), ("fo:margin-left", margin_left),
                                ("fo:margin-right", margin_right)):
        check.near(f"page {attribute.split(':')[1]}", page.get(q(attribute)), expected)
    check.equal("page orientation", page.get(q("style:print-orientation")), "portrait")
    for part in ("style:header", "style:footer", "style:header-first", "style:footer-first",
                 "style:header-left", "style:footer-left"):
        element = master.find(q(part))
        check.equal(f"{part.split(':')[1]} text", "" if element is None else "".join(element.itertext()), "")


def check_normal_style(check, styles):
    text = lambda attribute: styles.property("paragraph", "Standard", "style:text-properties", attribute)
    check.equal("Normal size", text("fo:font-size"), "10.5pt")
    check.equal("Normal Chinese size", text("style:font-size-asian"), "10.5pt")
    check.equal("Normal alignment",
                styles.property("paragraph", "Standard", "style:paragraph-properties", "fo:text-align"), "justify")
    check.equal("Normal Latin font", styles.font("paragraph", "Standard", "style:font-name"), "Calibri")
    check.equal("Normal Chinese font", styles.font("paragraph", "Standard", "style:font-name-asian"), "宋体")


def check_properties(check, root):
    meta = root.find(q("office:meta"))
    check.equal("document title", meta.findtext(q("dc:title")), TITLE)
    for field in ("dc:creator", "meta:initial-creator", "dc:subject", "meta:keyword", "dc:description"):
        check.equal(field, meta.findtext(q(field)), None)


def check_flat_document(check, path, sheet_size, widths, left_edge, margin_left, margin_right):
    root = ElementTree.parse(path).getroot()
    styles = Styles(root)
    body = root.find(f"{q('office:body')}/{q('office:text')}")
    blocks = [element for element in body if is_paragraph(element) or element.tag == q("table:table")]
    check.equal("body order", [("table" if element.tag == q("table:table") else "paragraph") for element in blocks],
                ["paragraph", "paragraph", "paragraph", "table", "paragraph"])
    if len(blocks) != 5:
        return
    check_title(check, styles, blocks[0])
    for index in (1, 2):
        what = f"paragraph {index + 1}"
        check_empty_normal_paragraph(check, styles, what, blocks[index])
        check.near(f"{what} right indent",
                   styles.property("paragraph", paragraph_style(blocks[index]), "style:paragraph-properties",
                                   "fo:margin-right"), 420)
    check_table(check, styles, blocks[3], sheet_size, widths, left_edge)
    check_empty_normal_paragraph(check, styles, "paragraph after the table", blocks[4])
    check_page(check, styles, root, margin_left, margin_right)
    check_normal_style(check, styles)
    check_properties(check, root)


def check_word_file(check, word97, path, widths, left_edge):
    """Facts read from the Word file directly: header/footer distances and cell boundaries."""
    with open(path, "rb") as file:
        document = word97.CompoundFile(file.read())
    sections = word97.section_properties(document)
    check.equal("section count", len(sections), 1)
    def distance(code):
        operand = sections[0].get(code) if sections else None
        return None if operand is None else int.from_bytes(operand, "little")

    check.equal("header distance", distance(word97.SPRM_HEADER_DISTANCE), 851)
    check.equal("footer distance", distance(word97.SPRM_FOOTER_DISTANCE), 992)
    boundaries = [left_edge]
    for width in widths:
        boundaries.append(boundaries[-1] + width)
    rows = word97.table_row_boundaries(document)
    check.equal("row definitions in the Word file", len(rows), len(ROW_HEIGHTS))
    for number, row in enumerate(rows, start=1):
        check.equal(f"row {number} cell boundaries in the Word file", row, boundaries)


def convert_to_flat_odt(soffice, documents, work):
    """Converts with a private profile; the office is stopped by its own process group."""
    command = [soffice, "--headless", "--invisible", "--nologo", "--norestore", "--nolockcheck",
               f"-env:UserInstallation=file://{work}/profile", "--convert-to", "fodt", "--outdir",
               os.path.join(work, "out"), *documents]
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, start_new_session=True)
    try:
        output, _ = process.communicate(timeout=CONVERSION_TIMEOUT)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        sys.exit(f"LibreOffice did not finish converting within {CONVERSION_TIMEOUT} s")
    if process.returncode != 0:
        sys.exit(f"LibreOffice failed ({process.returncode}):\n{output.decode(errors='replace')}")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().split("\n\n")[-1])
    template_dir = sys.argv[1]
    sys.path.insert(0, template_dir)
    import word97

    soffice = shutil.which("soffice")
    if soffice is None:
        print("soffice not found: skipping the template structure check")
        return SKIP
    failures = []
    with tempfile.TemporaryDirectory() as work:
        documents = [os.path.join(template_dir, sheet[0]) for sheet in SHEETS]
        convert_to_flat_odt(soffice, documents, work)
        for file_name, sheet_size, widths, left_edge, margin_left, margin_right in SHEETS:
            check = Checker(file_name)
            flat = os.path.join(work, "out", os.path.splitext(file_name)[0] + ".fodt")
            if not os.path.exists(flat):
                check.failures.append(f"{file_name}: LibreOffice could not read it")
            else:
                check_flat_document(check, flat, sheet_size, widths, left_edge, margin_left, margin_right)
            check_word_file(check, word97, os.path.join(template_dir, file_name), widths, left_edge)
            print(f"{file_name}: {'ok' if not check.failures else f'{len(check.failures)} difference(s)'}")
            failures += check.failures
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
