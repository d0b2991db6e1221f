#!/usr/bin/env python3
"""Writes the worksheet template of one sheet size (18, 24 or 30) as RTF on standard output.

The RTF is the readable source of the Word 97-2003 templates: scripts/build-templates converts
it with LibreOffice. The cell writer relies on the structure laid down here: the title
paragraph, two empty paragraphs (the kind heading goes into the second), a table of twelve
rows (problem rows and taller answer rows taking turns) and one empty paragraph for the date.
All lengths are twips.
"""

import sys

# Sheet size -> (column widths, table left edge from the left margin, page margins left/right).
SHEETS = {
    18: ([3085, 3033, 3090], -108, (1457, 1457)),
    24: ([2694, 2694, 2694, 2691], -851, (1457, 1457)),
    30: ([2247, 2247, 2247, 2246, 2241], -1134, (1474, 1531)),
}

# Minimum heights of the twelve rows; odd rows take the problems, even rows are answer space.
ROW_HEIGHTS = [210, 1453, 240, 1550, 285, 1485, 375, 1535, 270, 1560, 300, 1245]

PAGE = r"\paperw11906\paperh16838\margt805\margb822"
SECTION = r"\sectd\pgwsxn11906\pghsxn16838\margtsxn805\margbsxn822\headery851\footery992"
CELL_MARGIN = 108
BORDER = r"\brdrs\brdrw10"  # single line, 10 twips = 0.5 pt

TITLE = "数学作业练习"

# Fonts: f0 Latin body text, f1 Chinese text (宋体, written in code page 936), f2 Latin titles.
FONTS = (
    r"{\fonttbl"
    r"{\f0\fswiss\fcharset0\fprq2 Calibri;}"
    r"{\f1\fnil\fcharset134\fprq2 \'cb\'ce\'cc\'e5{\*\falt SimSun};}"
    r"{\f2\froman\fcharset0\fprq2 Cambria;}"
    r"}"
)

# s0 Normal: 10.5 pt, justified. s15 Title: centred, bold, 12 pt before and 3 pt after.
NORMAL = r"\s0\qj\loch\f0\hich\f0\dbch\f1\fs21"
TITLE_STYLE = r"\s15\qc\sb240\sa60\outlinelevel0\b\loch\f2\hich\f2\dbch\f1\fs32"
STYLES = (
    r"{\stylesheet"
    r"{" + NORMAL + r" Normal;}"
    r"{" + TITLE_STYLE + r"\sbasedon0\snext0 Title;}"
    r"}"
)


def rtf_text(text):
    """Non-ASCII characters as \\uN escapes with a '?' fallback (\\uc1)."""
    return "".join(c if ord(c) < 128 else rf"\u{ord(c)}?" for c in text)


def row_definition(widths, left_edge, height):
    parts = [
        rf"\trowd\trgaph{CELL_MARGIN}\trleft{left_edge}\trrh{height}",
        rf"\trpaddl{CELL_MARGIN}\trpaddr{CELL_MARGIN}\trpaddfl3\trpaddfr3",
        r"\trftsWidth2\trwWidth5000",  # preferred width 100 % (in fiftieths of a percent)
        rf"\trbrdrt{BORDER}\trbrdrl{BORDER}\trbrdrb{BORDER}\trbrdrr{BORDER}",
        rf"\trbrdrh{BORDER}\trbrdrv{BORDER}",
    ]
    right_edge = left_edge
    for width in widths:
        right_edge += width
        parts.append(
            rf"\clbrdrt{BORDER}\clbrdrl{BORDER}\clbrdrb{BORDER}\clbrdrr{BORDER}"
            rf"\clftsWidth3\clwWidth{width}\cellx{right_edge}"
        )
    return "".join(parts) + "\n"


def cell(paragraph_marks, line_break=False):
    """One cell: optional line break, then paragraph marks, then the end-of-cell mark."""
    body = (r"\line " if line_break else "") + r"\par " * paragraph_marks
    return r"\pard\plain\intbl" + NORMAL + " " + body + r"\cell" + "\n"


def table(sheet_size):
    widths, left_edge, _ = SHEETS[sheet_size]
    rows = []
    for index, height in enumerate(ROW_HEIGHTS):
        row_number = index + 1
        definition = row_definition(widths, left_edge, height)
        if row_number % 2 == 1:
            cells = [cell(0) for _ in widths]
        elif sheet_size == 30 and row_number == 2:
            cells = [cell(4, line_break=True)] + [cell(0) for _ in widths[1:]]
        else:
            cells = [cell(5)] + [cell(0) for _ in widths[1:]]
        rows.append(definition + "".join(cells) + r"\row" + "\n")
    return "".join(rows)


def document(sheet_size):
    _, _, (left, right) = SHEETS[sheet_size]
    return (
        r"{\rtf1\ansi\ansicpg936\deff0\uc1" + "\n"
        + FONTS + "\n"
        + STYLES + "\n"
        + r"{\info{\title " + rtf_text(TITLE) + r"}}" + "\n"
        + PAGE + rf"\margl{left}\margr{right}" + "\n"
        + SECTION + rf"\marglsxn{left}\margrsxn{right}" + "\n"
        + r"\pard\plain" + TITLE_STYLE + r"\fs48 " + rtf_text(TITLE) + r"\par" + "\n"
        + r"\pard\plain" + NORMAL + r"\ri420\rin420\par" + "\n"
        + r"\pard\plain" + NORMAL + r"\ri420\rin420\par" + "\n"
        + table(sheet_size)
        + r"\pard\plain" + NORMAL + " \n"
        + "}\n"
    )


def main():
    if len(sys.argv) != 2 or not sys.argv[1].isdigit() or int(sys.argv[1]) not in SHEETS:
        sys.exit("usage: worksheet_rtf.py 18|24|30")
    sys.stdout.write(document(int(sys.argv[1])))


if __name__ == "__main__":
    main()
