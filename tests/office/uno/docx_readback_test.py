#!/usr/bin/env python3
"""Reads .docx files of the document writer back through a real LibreOffice.

Writes two documents with the writer (through the write_docx_pages helper): three worksheets
of 18, 24 and 30 problems with the longest texts of their kinds, and a class set of each sheet
followed by its answer key (a page break within a sheet size, a new section between sizes).
With --kalkora-sheets, also a class set of three sheets and its key made by that program, both
as .docx and as PDF drawn by its page painter. Converts the documents, and the three .doc
templates, to .odt and PDF on a private profile, then checks that
- each document prints one page per sheet;
- every page's size and margins lie within 2 twips of the template of that size; its table
  stands at least 1 cm from the paper's edges, with the template's columns shrunk in proportion
  where needed, and rows at least as high as the template's; every worksheet cell holds the
  template's paragraphs (the answer space included), every key answer cell only its answer;
- the title, heading, cell texts, answers (in reading order) and date line read back as written;
- nothing wraps: every page prints as many lines as the layout has, each problem and answer on
  the line of its row;
- the program's set has the kind's headings, the codes on the date lines, and under every key
  problem an answer; and its painted PDF has every cell's words where the office prints them
  from the .docx, within 2 pt.

usage: docx_readback_test.py [--kalkora-sheets PROGRAM] WRITE_DOCX_PAGES TEMPLATE_DIR [KEEP_DIR]
KEEP_DIR, when given, keeps the documents and PDFs there.
Exit status: 0 all good, 1 a difference, 77 no LibreOffice or poppler (the test is skipped).
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
import zipfile

# The length reading shared with the template check beside the templates' tests.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "templates"))
from odf_lengths import twips  # noqa: E402

SKIP = 77
TOLERANCE = 2  # twips
PAINTED_TOLERANCE = 2  # points, between the office's and the painter's words
PAPER_CLEARANCE = 567  # twips from every paper edge to the class set's table
ROW_LEAST = (330, 1560)  # twips: a class set's problem and answer rows at least
CONVERSION_TIMEOUT = 240  # seconds

TITLE = "数学作业练习"
TEMPLATES = {18: "doc.doc", 24: "d24.doc", 30: "d30.doc"}
NS = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
}


def q(name):
    prefix, local = name.split(":")
    return f"{{{NS[prefix]}}}{local}"


# --- the pages written ------------------------------------------------------------------

def heading(word, spaces):
    return "  " + word + " " * spaces + "评分："


def sheet_cells(size):
    """Problem texts as the generators write them, the longest kinds of each size included."""
    if size == 18:
        return [f"{45 + i}.26382 ÷ {23 + i}.41205 =" for i in range(size)]
    if size == 24:
        return [f"{60 + i} + 28 - 16 + 78 - {40 + i} =" for i in range(size)]
    return [f"{i + 1}/{i + 2} + {i + 2}/{i + 3} =" if i % 2 else f"{60 + i} + 28 - 16 + 78 ="
            for i in range(size)]


def key_answer(problem):
    """A long answer: a quotient with its remainder."""
    return f"{len(problem) * 7}……{len(problem) * 3}"


SHEETS = [
    (18, heading("除法运算题", 58), sheet_cells(18), "2026年12月9日    卷号 482913", []),
    (24, heading("连续加减法运算题", 54), sheet_cells(24), "2026年12月9日    卷号 482914", []),
    (30, heading("连续加法运算题", 54), sheet_cells(30), "2026年12月9日    卷号 482915", []),
]
KEYS = [(size, head.split()[0].join(["  ", "答案"]), cells, date, [key_answer(c) for c in cells])
        for size, head, cells, date, _ in SHEETS]
CLASS_SET = [page for sheet_and_key in zip(SHEETS, KEYS) for page in sheet_and_key]


# A class set made by kalkora-sheets: its problems are only known once read back.
PROGRAM_SET = ["--kind", "除法", "--problems", "30", "--decimals", "2", "--sheets", "3", "--answers",
               "--code", "999999", "--date", "2026-12-09"]
PROGRAM_HEADINGS = (heading("除法运算题", 58), "  除法运算题答案")
PROGRAM_DATES = [f"2026年12月9日    卷号 {code}" for code in (999999, 100000, 100001)]


def write_program_set(program, path):
    subprocess.run([program, *PROGRAM_SET, "--output", path], check=True, timeout=120)


def program_pages(check, sheet_odt, key_odt):
    """The program's pages as read back, checked against what is known of them beforehand."""
    sets = []
    for odt, head in zip((sheet_odt, key_odt), PROGRAM_HEADINGS):
        pages = []
        for _, blocks in OdtDocument(odt).pages():
            texts = [paragraph_text(c) for row in rows(blocks[3])[0::2] for c in cells(row)]
            answers = [paragraph_text(c) for row in rows(blocks[3])[1::2] for c in cells(row)]
            if head == PROGRAM_HEADINGS[0]:
                answers = []
            pages.append((30, head, texts, PROGRAM_DATES[len(pages)] if len(pages) < 3 else "", answers))
        check.equal(f"{os.path.basename(odt)}: pages", len(pages), 3)
        sets.append(pages)
    for number, (sheet, key) in enumerate(zip(*sets), start=1):
        check.equal(f"program key page {number}: problems", key[2], sheet[2])
        for problem, answer in zip(key[2], key[4], strict=True):
            if not (problem.endswith(" =") and answer and " " not in answer):
                check.failures.append(f"program key page {number}: {answer!r} for {problem!r}")
    return sets


def write_docx(helper, pages, path):
    lines = []
    for size, head, cells, date, answers in pages:
        lines.append(f"page\t{size}\t{head}\t{date}")
        lines += [f"cell\t{text}" for text in cells]
        lines += [f"answer\t{text}" for text in answers]
    subprocess.run([helper, path], input="\n".join(lines) + "\n", text=True, check=True, timeout=60)


# --- LibreOffice -------------------------------------------------------------------------

def convert(soffice, target, documents, out_dir, work):
    """Converts on a private profile; an office that hangs is stopped by its own process group."""
    command = [soffice, "--headless", "--invisible", "--nologo", "--norestore", "--nolockcheck",
               f"-env:UserInstallation=file://{work}/profile", "--convert-to", target, "--outdir",
               out_dir, *documents]
    environment = dict(os.environ, XDG_CACHE_HOME=os.path.join(work, "cache"))
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               start_new_session=True, env=environment)
    try:
        output, _ = process.communicate(timeout=CONVERSION_TIMEOUT)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        sys.exit(f"LibreOffice did not finish converting within {CONVERSION_TIMEOUT} s")
    if process.returncode != 0:
        sys.exit(f"LibreOffice failed ({process.returncode}):\n{output.decode(errors='replace')}")
    for document in documents:
        stem = os.path.splitext(os.path.basename(document))[0]
        if not os.path.exists(os.path.join(out_dir, f"{stem}.{target}")):
            sys.exit(f"LibreOffice did not convert {document} to {target}")


# --- reading an .odt ---------------------------------------------------------------------

class OdtDocument:
    """The body and the styles of an .odt, with properties looked up along the parent chain."""

    def __init__(self, path):
        with zipfile.ZipFile(path) as archive:
            self.content = ElementTree.fromstring(archive.read("content.xml"))
            self.styles_root = ElementTree.fromstring(archive.read("styles.xml"))
        self.by_name = {}
        for root in (self.styles_root, self.content):
            for container in ("office:styles", "office:automatic-styles"):
                for element in root.find(q(container)) or []:
                    name = element.get(q("style:name"))
                    if name is not None:
                        self.by_name[(element.tag, element.get(q("style:family")), name)] = element
        self.masters = {m.get(q("style:name")): m for m in self.styles_root.iter(q("style:master-page"))}

    def style(self, family, name):
        return self.by_name.get((q("style:style"), family, name))

    def property(self, family, name, kind, attribute):
        while name is not None and (style := self.style(family, name)) is not None:
            properties = style.find(q(kind))
            if properties is not None and properties.get(q(attribute)) is not None:
                return properties.get(q(attribute))
            name = style.get(q("style:parent-style-name"))
        return None

    def page_layout(self, master_name):
        layout_name = self.masters[master_name].get(q("style:page-layout-name"))
        layout = self.by_name[(q("style:page-layout"), None, layout_name)]
        return layout.find(q("style:page-layout-properties"))

    def pages(self):
        """The body cut into pages of (master page, [title, empty, heading, table, date])."""
        body = self.content.find(f"{q('office:body')}/{q('office:text')}")
        blocks = [e for e in body if e.tag in (q("text:p"), q("text:h"), q("table:table"))]
        pages, master = [], "Standard"
        for start in range(0, len(blocks), 5):
            style = self.style("paragraph", blocks[start].get(q("text:style-name")))
            master = (style.get(q("style:master-page-name")) if style is not None else None) or master
            pages.append((master, blocks[start:start + 5]))
        return pages


def paragraph_text(element):
    """Text as typed: text:s spaces, tabs and line breaks expanded."""
    parts = [element.text or ""]
    for child in element:
        if child.tag == q("text:s"):
            parts.append(" " * int(child.get(q("text:c"), "1")))
        elif child.tag == q("text:tab"):
            parts.append("\t")
        elif child.tag == q("text:line-break"):
            parts.append("\n")
        else:
            parts.append(paragraph_text(child))
        parts.append(child.tail or "")
    return "".join(parts)


def rows(table):
    return list(table.iter(q("table:table-row")))


def cells(row):
    return row.findall(q("table:table-cell"))


def cell_shape(cell):
    """The cell's paragraphs as texts: what the answer space holds."""
    return [paragraph_text(p) for p in cell.findall(q("text:p"))]


def table_columns(table):
    columns = []
    for column in table.iter(q("table:table-column")):
        columns += [column.get(q("table:style-name"))] * int(column.get(q("table:number-columns-repeated"), "1"))
    return columns


def geometry(document, master, table):
    """Named lengths in twips (and the row height kinds) of one page and its table."""
    numbers = {}
    page = document.page_layout(master)
    for attribute in ("page-width", "page-height", "margin-top", "margin-bottom", "margin-left", "margin-right"):
        numbers[f"page {attribute}"] = twips(page.get(q(f"fo:{attribute}")))
    name = table.get(q("table:style-name"))
    for attribute, key in (("fo:margin-left", "table left edge"), ("style:width", "table width")):
        numbers[key] = twips(document.property("table", name, "style:table-properties", attribute))
    for index, column in enumerate(table_columns(table), start=1):
        numbers[f"column {index} width"] = twips(
            document.property("table-column", column, "style:table-column-properties", "style:column-width"))
    for index, row in enumerate(rows(table), start=1):
        style = row.get(q("table:style-name"))
        for kind in ("min-row-height", "row-height"):
            value = document.property("table-row", style, "style:table-row-properties", f"style:{kind}")
            numbers[f"row {index} {kind}"] = None if value is None else twips(value)
    return numbers


# --- reading a PDF -----------------------------------------------------------------------

def pdf_page_count(path):
    output = subprocess.run(["pdfinfo", path], capture_output=True, text=True, check=True).stdout
    return int(re.search(r"^Pages:\s+(\d+)", output, re.M).group(1))


def pdf_words(path):
    """Per page, the printed words with their boxes in points."""
    output = subprocess.run(["pdftotext", "-bbox", path, "-"], capture_output=True, check=True).stdout
    root = ElementTree.fromstring(re.sub(rb"<!DOCTYPE[^>]*>", b"", output))
    pages = []
    for page in root.iter("{http://www.w3.org/1999/xhtml}page"):
        pages.append([(word.text, *(float(word.get(k)) for k in ("xMin", "yMin", "xMax", "yMax")))
                      for word in page.iter("{http://www.w3.org/1999/xhtml}word")])
    return pages


# --- the checks --------------------------------------------------------------------------

class Checker:
    def __init__(self):
        self.failures = []

    def equal(self, what, actual, expected):
        if actual != expected:
            self.failures.append(f"{what}: {actual!r}, expected {expected!r}")

    def near(self, what, actual, expected, tolerance):
        if (actual is None) != (expected is None) or (actual is not None and abs(actual - expected) > tolerance):
            self.failures.append(f"{what}: {actual}, expected {expected}")


def class_set_geometry(template):
    """The template's geometry with a class set's table: kept PAPER_CLEARANCE from the paper's
    edges (moved in, its columns scaled down and rounded down), rows at least ROW_LEAST."""
    expected = dict(template)
    columns = sorted(k for k in template if k.startswith("column "))
    widths = [template[k] for k in columns]
    left = max(template["page margin-left"] + template["table left edge"], PAPER_CLEARANCE)
    room = template["page page-width"] - PAPER_CLEARANCE - left
    if sum(widths) > room:
        widths = [w * room // sum(widths) for w in widths]
    expected.update(zip(columns, widths))
    expected["table width"] = sum(widths)
    expected["table left edge"] = left - template["page margin-left"]
    for index in range(1, 13):
        key = f"row {index} min-row-height"
        expected[key] = max(template[key] or 0, ROW_LEAST[(index - 1) % 2])
    return expected


def check_document(check, name, document, pages, templates):
    read = document.pages()
    check.equal(f"{name}: pages in the body", len(read), len(pages))
    for number, ((master, blocks), page) in enumerate(zip(read, pages), start=1):
        where = f"{name} page {number}"
        size, head, texts, date, answers = page
        check.equal(f"{where}: blocks", [b.tag == q("table:table") for b in blocks], [False] * 3 + [True, False])
        if len(blocks) != 5:
            continue
        check.equal(f"{where}: title", paragraph_text(blocks[0]), TITLE)
        check.equal(f"{where}: line below the title", paragraph_text(blocks[1]), "")
        check.equal(f"{where}: heading", paragraph_text(blocks[2]), head)
        check.equal(f"{where}: date line", paragraph_text(blocks[4]), date)
        table = blocks[3]
        problem_cells = [cell for row in rows(table)[0::2] for cell in cells(row)]
        check.equal(f"{where}: cell texts", [paragraph_text(c) for c in problem_cells], texts)
        template, (_, template_blocks) = templates[size], templates[size].pages()[0]
        answer_space = [[cell_shape(c) for c in cells(row)] for row in rows(table)[1::2]]
        if answers:
            columns = len(answer_space[0])
            expected_space = [[[a] for a in answers[r * columns:(r + 1) * columns]] for r in range(6)]
        else:
            expected_space = [[cell_shape(c) for c in cells(row)] for row in rows(template_blocks[3])[1::2]]
        check.equal(f"{where}: answer space", answer_space, expected_space)
        expected = class_set_geometry(geometry(template, templates[size].pages()[0][0], template_blocks[3]))
        actual = geometry(document, master, table)
        check.equal(f"{where}: geometry measured", sorted(actual), sorted(expected))
        for key, value in expected.items():
            check.near(f"{where}: {key} (twips)", actual.get(key), value, TOLERANCE)


def lines_of(words):
    """Words grouped into printed lines by their vertical middles, top to bottom."""
    lines = []
    for word in sorted(words, key=lambda w: ((w[2] + w[4]) / 2, w[1])):
        middle = (word[2] + word[4]) / 2
        if lines and abs(lines[-1][0] - middle) < 3:
            lines[-1][1].append(word)
        else:
            lines.append((middle, [word]))
    return [sorted(line, key=lambda w: w[1]) for _, line in lines]


def check_printed(check, name, pdf, pages):
    """One page a sheet, and nothing wrapped: title, heading, a line a row, the date line."""
    check.equal(f"{name}: PDF pages", pdf_page_count(pdf), len(pages))
    for number, (printed, page) in enumerate(zip(pdf_words(pdf), pages), start=1):
        rows_with_text = 12 if page[4] else 6
        check.equal(f"{name} page {number}: printed lines", len(lines_of(printed)), 3 + rows_with_text)


def check_painted(check, name, office_pdf, painted_pdf):
    """The painter's words of every cell where the office prints them from the .docx."""
    check.equal(f"{name}: painted pages", pdf_page_count(painted_pdf), pdf_page_count(office_pdf))
    for number, (office, painted) in enumerate(zip(pdf_words(office_pdf), pdf_words(painted_pdf)), start=1):
        # The cells' lines: all but the title, the heading and the date line.
        office_cells = [w for line in lines_of(office)[2:-1] for w in line]
        painted_cells = [w for line in lines_of(painted)[2:-1] for w in line]
        where = f"{name} page {number}"
        check.equal(f"{where}: cell words", [w[0] for w in painted_cells], [w[0] for w in office_cells])
        for mine, theirs in zip(painted_cells, office_cells):
            check.near(f"{where}: {mine[0]!r} x (pt)", mine[1], theirs[1], PAINTED_TOLERANCE)
            check.near(f"{where}: {mine[0]!r} middle (pt)", (mine[2] + mine[4]) / 2,
                       (theirs[2] + theirs[4]) / 2, PAINTED_TOLERANCE)


def main():
    arguments = sys.argv[1:]
    program = None
    if arguments[:1] == ["--kalkora-sheets"]:
        program, arguments = arguments[1], arguments[2:]
    if len(arguments) not in (2, 3):
        sys.exit(__doc__.strip().split("\n\n")[-1])
    helper, template_dir = arguments[0], arguments[1]
    soffice = shutil.which("soffice")
    if soffice is None or shutil.which("pdftotext") is None or shutil.which("pdfinfo") is None:
        print("soffice or poppler-utils not found: skipping the .docx read-back")
        return SKIP
    check = Checker()
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "out")
        os.makedirs(out)
        documents = {"sheets": SHEETS, "class_set": CLASS_SET}
        for stem, pages in documents.items():
            write_docx(helper, pages, os.path.join(work, f"{stem}.docx"))
        program_stems = ["program_set", "program_set-答案"] if program else []
        if program:
            write_program_set(program, os.path.join(work, "program_set.docx"))
            write_program_set(program, os.path.join(work, "painted_set.pdf"))
        templates = [os.path.join(template_dir, TEMPLATES[size]) for size in TEMPLATES]
        convert(soffice, "odt", [os.path.join(work, f"{s}.docx") for s in [*documents, *program_stems]] +
                templates, out, work)
        template_odts = {size: os.path.join(out, os.path.splitext(TEMPLATES[size])[0] + ".odt") for size in TEMPLATES}
        if program:
            read = program_pages(check, *(os.path.join(out, f"{s}.odt") for s in program_stems))
            documents.update(zip(program_stems, read))
        convert(soffice, "pdf", [os.path.join(work, f"{s}.docx") for s in documents], out, work)

        read_templates = {size: OdtDocument(path) for size, path in template_odts.items()}
        for stem, pages in documents.items():
            check_document(check, stem, OdtDocument(os.path.join(out, f"{stem}.odt")), pages, read_templates)
            check_printed(check, stem, os.path.join(out, f"{stem}.pdf"), pages)
        if program:
            for stem, painted in zip(program_stems, ("painted_set", "painted_set-答案")):
                check_painted(check, stem, os.path.join(out, f"{stem}.pdf"), os.path.join(work, f"{painted}.pdf"))
        if len(arguments) == 3:
            shutil.copytree(work, arguments[2], dirs_exist_ok=True, ignore=shutil.ignore_patterns("profile", "cache"))
    for failure in check.failures:
        print(failure)
    print(f"{'ok' if not check.failures else f'{len(check.failures)} difference(s)'}: "
          f"{len(SHEETS)} sheets and a class set of {len(CLASS_SET)} pages read back"
          f"{', and the set and key of kalkora-sheets' if program else ''}")
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main())
