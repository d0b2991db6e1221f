#!/usr/bin/env python3
"""Writes the worksheet template of one sheet size (18, 24 or 30) as a flat OpenDocument text.

This is the readable source of the Word 97-2003 templates; scripts/build-templates converts it
with LibreOffice. The cell writer relies on the structure laid down here: the title paragraph,
two empty paragraphs (the kind heading goes into the second), a table of twelve rows (problem
rows and taller answer rows taking turns) and one empty paragraph for the date.

Lengths are kept in twips and written in points (1 twip = 0.05 pt, so every value is exact);
LibreOffice carries point values into the Word file without rounding, which it does not for
RTF table positions.
"""

import sys
from xml.sax.saxutils import escape

TITLE = "数学作业练习"

# Sheet size -> (column widths, table left edge from the left margin, left and right margins).
SHEETS = {
    18: ([3085, 3033, 3090], -108, (1457, 1457)),
    24: ([2694, 2694, 2694, 2691], -851, (1457, 1457)),
    30: ([2247, 2247, 2247, 2246, 2241], -1134, (1474, 1531)),
}

# Minimum heights of the twelve rows; odd rows take the problems, even rows are answer space.
ROW_HEIGHTS = [210, 1453, 240, 1550, 285, 1485, 375, 1535, 270, 1560, 300, 1245]

PAGE_WIDTH, PAGE_HEIGHT = 11906, 16838  # A4 portrait
MARGIN_TOP, MARGIN_BOTTOM = 805, 822
CELL_MARGIN = 108
HEADING_RIGHT_INDENT = 420

NAMESPACES = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
    "svg": "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0",
    "dc": "http://purl.org/dc/elements/1.1/",
    "meta": "urn:oasis:names:tc:opendocument:xmlns:meta:1.0",
}


def pt(twips):
    """A length in twips written in points."""
    return f"{twips / 20:g}pt"


def font_declarations():
    return """ <office:font-face-decls>
  <style:font-face style:name="Calibri" svg:font-family="Calibri" style:font-family-generic="swiss" style:font-pitch="variable"/>
  <style:font-face style:name="Cambria" svg:font-family="Cambria" style:font-family-generic="roman" style:font-pitch="variable"/>
  <style:font-face style:name="宋体" svg:font-family="宋体" style:font-family-generic="system" style:font-pitch="variable"/>
 </office:font-face-decls>
"""


def styles():
    """Normal ("Standard", Word's 正文) and Title (Word's 标题)."""
    return """ <office:styles>
  <style:style style:name="Standard" style:family="paragraph" style:class="text">
   <style:paragraph-properties fo:text-align="justify"/>
   <style:text-properties style:font-name="Calibri" fo:font-size="10.5pt" style:font-name-asian="宋体" style:font-size-asian="10.5pt"/>
  </style:style>
  <style:style style:name="Title" style:family="paragraph" style:parent-style-name="Standard" style:next-style-name="Standard" style:class="chapter">
   <style:paragraph-properties fo:margin-top="12pt" fo:margin-bottom="3pt" fo:text-align="center"/>
   <style:text-properties style:font-name="Cambria" fo:font-size="16pt" fo:font-weight="bold" style:font-size-asian="16pt" style:font-weight-asian="bold"/>
  </style:style>
 </office:styles>
"""


def automatic_styles(sheet_size):
    widths, left_edge, (margin_left, margin_right) = SHEETS[sheet_size]
    border = "0.5pt solid #000000"
    parts = [
        " <office:automatic-styles>\n",
        '  <style:style style:name="SheetTitle" style:family="paragraph" style:parent-style-name="Title">\n'
        '   <style:text-properties fo:font-size="24pt" style:font-size-asian="24pt"/>\n'
        "  </style:style>\n",
        '  <style:style style:name="HeadingLine" style:family="paragraph" style:parent-style-name="Standard">\n'
        f'   <style:paragraph-properties fo:margin-right="{pt(HEADING_RIGHT_INDENT)}"/>\n'
        "  </style:style>\n",
        # No relative width: LibreOffice would fit the columns to the text area (Word's preferred
        # width of 100 %) instead of keeping the widths the cells are measured for.
        '  <style:style style:name="Sheet" style:family="table">\n'
        f'   <style:table-properties style:width="{pt(sum(widths))}" fo:margin-left="{pt(left_edge)}" table:align="left"/>\n'
        "  </style:style>\n",
    ]
    for column, width in enumerate(widths, start=1):
        parts.append(
            f'  <style:style style:name="Sheet.C{column}" style:family="table-column">\n'
            f'   <style:table-column-properties style:column-width="{pt(width)}"/>\n'
            "  </style:style>\n"
        )
    for row, height in enumerate(ROW_HEIGHTS, start=1):
        parts.append(
            f'  <style:style style:name="Sheet.R{row}" style:family="table-row">\n'
            f'   <style:table-row-properties style:min-row-height="{pt(height)}"/>\n'
            "  </style:style>\n"
        )
    parts.append(
        '  <style:style style:name="Sheet.Cell" style:family="table-cell">\n'
        f'   <style:table-cell-properties fo:padding-left="{pt(CELL_MARGIN)}" fo:padding-right="{pt(CELL_MARGIN)}"'
        f' fo:padding-top="0pt" fo:padding-bottom="0pt" fo:border="{border}"/>\n'
        "  </style:style>\n"
    )
    parts.append(
        '  <style:page-layout style:name="A4">\n'
        f'   <style:page-layout-properties fo:page-width="{pt(PAGE_WIDTH)}" fo:page-height="{pt(PAGE_HEIGHT)}"'
        ' style:print-orientation="portrait"'
        f' fo:margin-top="{pt(MARGIN_TOP)}" fo:margin-bottom="{pt(MARGIN_BOTTOM)}"'
        f' fo:margin-left="{pt(margin_left)}" fo:margin-right="{pt(margin_right)}"/>\n'
        "  </style:page-layout>\n"
        " </office:automatic-styles>\n"
    )
    return "".join(parts)


def cell(empty_paragraphs, line_break=False):
    """A cell holding empty Normal paragraphs; the first may hold one line break."""
    paragraphs = ['<text:p text:style-name="Standard"/>'] * empty_paragraphs
    if line_break:
        paragraphs[0] = '<text:p text:style-name="Standard"><text:line-break/></text:p>'
    return '<table:table-cell table:style-name="Sheet.Cell" office:value-type="string">' + "".join(
        paragraphs
    ) + "</table:table-cell>"


def first_cell_paragraphs(sheet_size, row):
    """Problem rows hold one empty paragraph per cell; answer rows are made tall by six."""
    if row % 2 == 1:
        return 1, False
    if sheet_size == 30 and row == 2:
        return 5, True
    return 6, False


def table(sheet_size):
    widths = SHEETS[sheet_size][0]
    lines = ['   <table:table table:name="Sheet" table:style-name="Sheet">']
    for column in range(1, len(widths) + 1):
        lines.append(f'    <table:table-column table:style-name="Sheet.C{column}"/>')
    for row in range(1, len(ROW_HEIGHTS) + 1):
        count, line_break = first_cell_paragraphs(sheet_size, row)
        cells = [cell(count, line_break)] + [cell(1) for _ in widths[1:]]
        lines.append(
            f'    <table:table-row table:style-name="Sheet.R{row}">' + "".join(cells) + "</table:table-row>"
        )
    lines.append("   </table:table>")
    return "\n".join(lines) + "\n"


def document(sheet_size):
    namespaces = " ".join(f'xmlns:{prefix}="{uri}"' for prefix, uri in NAMESPACES.items())
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<office:document {namespaces} office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">\n'
        f" <office:meta><dc:title>{escape(TITLE)}</dc:title></office:meta>\n"
        + font_declarations()
        + styles()
        + automatic_styles(sheet_size)
        + ' <office:master-styles><style:master-page style:name="Standard" style:page-layout-name="A4"/></office:master-styles>\n'
        " <office:body>\n  <office:text>\n"
        f'   <text:p text:style-name="SheetTitle">{escape(TITLE)}</text:p>\n'
        '   <text:p text:style-name="HeadingLine"/>\n'
        '   <text:p text:style-name="HeadingLine"/>\n'
        + table(sheet_size)
        + '   <text:p text:style-name="Standard"/>\n'
        "  </office:text>\n </office:body>\n</office:document>\n"
    )


def main():
    if len(sys.argv) != 2 or sys.argv[1] not in ("18", "24", "30"):
        sys.exit("usage: worksheet_fodt.py 18|24|30")
    sys.stdout.write(document(int(sys.argv[1])))


if __name__ == "__main__":
    main()
