#include "core/word/docx_writer.hpp"

#include <stdexcept>
#include <string_view>

#include "core/word/sheet_geometry.hpp"
#include "core/word/wordml_text.hpp"

namespace kalkora {
namespace {

namespace geometry = sheet_geometry;

constexpr std::string_view kWordNamespace =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";

constexpr std::string_view kContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "</Types>";

constexpr std::string_view kPackageRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/officeDocument\" Target=\"word/document.xml\"/>"
    "</Relationships>";

constexpr std::string_view kDocumentRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/styles\" Target=\"styles.xml\"/>"
    "</Relationships>";

// The templates' Normal (正文: 10.5 pt, justified, Calibri with 宋体 for Chinese) and Title
// (标题: centred, bold, Cambria, 12 pt before and 3 pt after). Paragraphs have no spacing of
// their own and single line spacing, as in the templates.
constexpr std::string_view kStyles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
    "<w:docDefaults><w:rPrDefault><w:rPr>"
    "<w:rFonts w:ascii=\"Calibri\" w:eastAsia=\"宋体\" w:hAnsi=\"Calibri\"/>"
    "<w:sz w:val=\"21\"/><w:szCs w:val=\"21\"/>"
    "<w:lang w:val=\"en-US\" w:eastAsia=\"zh-CN\"/>"
    "</w:rPr></w:rPrDefault>"
    "<w:pPrDefault><w:pPr><w:spacing w:before=\"0\" w:after=\"0\" w:line=\"240\" "
    "w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
    "<w:name w:val=\"Normal\"/><w:qFormat/><w:pPr><w:jc w:val=\"both\"/></w:pPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Title\">"
    "<w:name w:val=\"Title\"/><w:basedOn w:val=\"Normal\"/><w:next w:val=\"Normal\"/>"
    "<w:qFormat/><w:pPr><w:spacing w:before=\"240\" w:after=\"60\"/><w:jc w:val=\"center\"/>"
    "</w:pPr><w:rPr><w:rFonts w:ascii=\"Cambria\" w:hAnsi=\"Cambria\"/><w:b/><w:bCs/>"
    "<w:sz w:val=\"32\"/><w:szCs w:val=\"32\"/></w:rPr></w:style>"
    "</w:styles>";

// Run sizes in half points.
constexpr int kTitleRunSize = 48;
constexpr int kProblemRunSize = 24;
constexpr int kRuleRunSize = 18;

// A 0.5 pt single line, in eighths of a point.
constexpr std::string_view kBorder =
    " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/>";

std::string Twips(int value) { return std::to_string(value); }

void AppendRun(std::string& xml, std::string_view text, std::string_view what, int halfPoints = 0) {
  if (text.empty()) return;
  xml += "<w:r>";
  if (halfPoints != 0) {
    const std::string size = std::to_string(halfPoints);
    xml += "<w:rPr><w:sz w:val=\"" + size + "\"/><w:szCs w:val=\"" + size + "\"/></w:rPr>";
  }
  AppendRunContent(xml, text, what);
  xml += "</w:r>";
}

void AppendSectionProperties(std::string& xml, const SheetGeometry& sheet) {
  xml += "<w:sectPr><w:type w:val=\"nextPage\"/>";
  xml += "<w:pgSz w:w=\"" + Twips(geometry::kPageWidth) + "\" w:h=\"" +
         Twips(geometry::kPageHeight) + "\"/>";
  xml += "<w:pgMar w:top=\"" + Twips(geometry::kMarginTop) + "\" w:right=\"" +
         Twips(sheet.marginRight) + "\" w:bottom=\"" + Twips(geometry::kMarginBottom) +
         "\" w:left=\"" + Twips(sheet.marginLeft) + "\" w:header=\"" +
         Twips(geometry::kHeaderDistance) + "\" w:footer=\"" + Twips(geometry::kFooterDistance) +
         "\" w:gutter=\"0\"/>";
  xml += "</w:sectPr>";
}

void AppendTableProperties(std::string& xml, const SheetGeometry& sheet) {
  int width = 0;
  for (int column : sheet.columnWidths) width += column;
  // Without a compatibility mode Word and LibreOffice measure the indent to the first cell's
  // text, a cell margin to the right of its left border.
  const int indent = sheet.tableLeftEdge + geometry::kCellMargin;
  xml += "<w:tblPr><w:tblW w:w=\"" + Twips(width) + "\" w:type=\"dxa\"/>";
  xml += "<w:tblInd w:w=\"" + Twips(indent) + "\" w:type=\"dxa\"/><w:tblBorders>";
  for (std::string_view side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
    xml += "<w:";
    xml += side;
    xml += kBorder;
  }
  xml += "</w:tblBorders><w:tblLayout w:type=\"fixed\"/><w:tblCellMar>";
  xml += "<w:top w:w=\"0\" w:type=\"dxa\"/>";
  xml += "<w:left w:w=\"" + Twips(geometry::kCellMargin) + "\" w:type=\"dxa\"/>";
  xml += "<w:bottom w:w=\"0\" w:type=\"dxa\"/>";
  xml += "<w:right w:w=\"" + Twips(geometry::kCellMargin) + "\" w:type=\"dxa\"/>";
  xml += "</w:tblCellMar></w:tblPr><w:tblGrid>";
  for (int column : sheet.columnWidths) xml += "<w:gridCol w:w=\"" + Twips(column) + "\"/>";
  xml += "</w:tblGrid>";
}

void OpenCell(std::string& xml, int width) {
  xml += "<w:tc><w:tcPr><w:tcW w:w=\"" + Twips(width) + "\" w:type=\"dxa\"/></w:tcPr>";
}

// The answer space of the first cell of an answer row, as in the template: empty paragraphs,
// the first of them holding a line break on the 30-problem sheet's first answer row.
void AppendAnswerSpace(std::string& xml, const SheetGeometry& sheet, bool firstAnswerRow) {
  int paragraphs = geometry::kAnswerRowParagraphs;
  if (firstAnswerRow && sheet.firstAnswerRowHasLineBreak) {
    xml += "<w:p><w:r><w:br/></w:r></w:p>";
    paragraphs -= 2;
  }
  for (int paragraph = 0; paragraph < paragraphs; ++paragraph) xml += "<w:p/>";
}

void AppendTable(std::string& xml, const SheetGeometry& sheet, const DocumentPage& page,
                 std::string_view where) {
  xml += "<w:tbl>";
  AppendTableProperties(xml, sheet);
  std::size_t nextCell = 0;
  for (std::size_t row = 0; row < geometry::kRowHeights.size(); ++row) {
    xml += "<w:tr><w:trPr><w:trHeight w:val=\"" + Twips(geometry::kRowHeights[row]) +
           "\" w:hRule=\"atLeast\"/></w:trPr>";
    const bool problemRow = row % 2 == 0;
    for (std::size_t column = 0; column < sheet.columnWidths.size(); ++column) {
      OpenCell(xml, sheet.columnWidths[column]);
      if (problemRow) {
        const std::string what = std::string(where) + ", cell " + std::to_string(nextCell + 1);
        xml += "<w:p>";
        AppendRun(xml, page.cells[nextCell++], what, kProblemRunSize);
        xml += "</w:p>";
      } else if (column == 0) {
        AppendAnswerSpace(xml, sheet, row == 1);
      } else {
        xml += "<w:p/>";
      }
      xml += "</w:tc>";
    }
    xml += "</w:tr>";
  }
  xml += "</w:tbl>";
}

void AppendHeadingParagraph(std::string& xml, std::string_view text, std::string_view what) {
  xml += "<w:p><w:pPr><w:ind w:right=\"" + Twips(geometry::kHeadingRightIndent) + "\"/></w:pPr>";
  AppendRun(xml, text, what);
  xml += "</w:p>";
}

// A page: title, empty line, heading, the rule line if any, table, date line. `breakBefore` starts
// it on a new page within the section; `sectionEnd` closes the section there, when the next page's
// sheet size differs.
void AppendPage(std::string& xml, const DocumentPage& page, std::size_t index, bool breakBefore,
                const SheetGeometry* sectionEnd) {
  const std::string where = "page " + std::to_string(index + 1);
  const SheetGeometry& sheet = *FindSheetGeometry(page.sheetSize);

  xml += "<w:p><w:pPr><w:pStyle w:val=\"Title\"/>";
  if (breakBefore) xml += "<w:pageBreakBefore/>";
  xml += "</w:pPr>";
  AppendRun(xml, kSheetTitle, where, kTitleRunSize);
  xml += "</w:p>";
  AppendHeadingParagraph(xml, "", where);
  AppendHeadingParagraph(xml, page.heading, where + ", heading");
  if (!page.ruleLine.empty()) {
    // Smaller than the heading, so that the page keeps to one sheet of paper.
    xml += "<w:p>";
    AppendRun(xml, page.ruleLine, where + ", rule line", kRuleRunSize);
    xml += "</w:p>";
  }
  AppendTable(xml, sheet, page, where);

  xml += "<w:p>";
  if (sectionEnd != nullptr) {
    xml += "<w:pPr>";
    AppendSectionProperties(xml, *sectionEnd);
    xml += "</w:pPr>";
  }
  AppendRun(xml, page.dateLine, where + ", date line");
  xml += "</w:p>";
}

void CheckPages(const std::vector<DocumentPage>& pages) {
  if (pages.empty()) throw std::invalid_argument("a document needs at least one page");
  for (std::size_t index = 0; index < pages.size(); ++index) {
    const DocumentPage& page = pages[index];
    const std::string where = "page " + std::to_string(index + 1);
    if (FindSheetGeometry(page.sheetSize) == nullptr) {
      throw std::invalid_argument(where + ": the sheet size is " + std::to_string(page.sheetSize) +
                                  ", not 18, 24 or 30");
    }
    if (page.cells.size() != static_cast<std::size_t>(page.sheetSize)) {
      throw std::invalid_argument(where + ": " + std::to_string(page.cells.size()) +
                                  " cell texts for a sheet of " + std::to_string(page.sheetSize));
    }
  }
}

std::string DocumentXml(const std::vector<DocumentPage>& pages) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document ";
  xml += kWordNamespace;
  xml += "><w:body>";
  for (std::size_t index = 0; index < pages.size(); ++index) {
    const int size = pages[index].sheetSize;
    const bool sameAsPrevious = index > 0 && pages[index - 1].sheetSize == size;
    const bool sizeChangesNext = index + 1 < pages.size() && pages[index + 1].sheetSize != size;
    AppendPage(xml, pages[index], index, sameAsPrevious,
               sizeChangesNext ? FindSheetGeometry(size) : nullptr);
  }
  AppendSectionProperties(xml, *FindSheetGeometry(pages.back().sheetSize));
  xml += "</w:body></w:document>";
  return xml;
}

}  // namespace

std::string WriteDocx(const std::vector<DocumentPage>& pages, ZipTime stamp) {
  CheckPages(pages);
  ZipArchive archive(stamp);
  const std::string document = DocumentXml(pages);
  archive.Add("[Content_Types].xml", kContentTypes);
  archive.Add("_rels/.rels", kPackageRelationships);
  archive.Add("word/document.xml", document);
  archive.Add("word/_rels/document.xml.rels", kDocumentRelationships);
  archive.Add("word/styles.xml", kStyles);
  return archive.Bytes();
}

}  // namespace kalkora
