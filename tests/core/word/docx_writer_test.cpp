#include "core/word/docx_writer.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include <stdexcept>

#include "core/word/wordml_text.hpp"
#include "zip_reading.hpp"

namespace kalkora {
namespace {

constexpr ZipTime kStamp = {2026, 12, 9, 8, 30, 0};
const std::string kHeading = "  加法运算题" + std::string(58, ' ') + "评分：";

DocumentPage Page(int size, const std::string& tag) {
  DocumentPage page;
  page.sheetSize = size;
  page.heading = kHeading + tag;
  page.dateLine = "2026年12月9日    卷号 " + tag;
  for (int cell = 1; cell <= size; ++cell) {
    page.cells.push_back(tag + "-" + std::to_string(cell) + " + 5 =");
  }
  return page;
}

std::string DocumentXml(const std::vector<DocumentPage>& pages) {
  return testing::EntryContents(testing::ReadZip(WriteDocx(pages, kStamp)), "word/document.xml");
}

// Every text that stands between `before` and the next `after`, in document order.
std::vector<std::string> Between(const std::string& text, const std::string& before,
                                 const std::string& after) {
  std::vector<std::string> found;
  for (std::size_t at = text.find(before); at != std::string::npos; at = text.find(before, at)) {
    at += before.size();
    const std::size_t end = text.find(after, at);
    if (end == std::string::npos) break;
    found.push_back(text.substr(at, end - at));
    at = end;
  }
  return found;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

std::vector<std::string> Numbers(std::initializer_list<int> values, int repeat = 1) {
  std::vector<std::string> texts;
  for (int time = 0; time < repeat; ++time) {
    for (int value : values) texts.push_back(std::to_string(value));
  }
  return texts;
}

std::vector<std::string> RunTexts(const std::string& xml) {
  return Between(xml, "<w:t xml:space=\"preserve\">", "</w:t>");
}

TEST(WriteDocx, PackageHoldsTheDocumentItsStylesAndTheirRelationships) {
  const std::vector<testing::ZipEntry> entries =
      testing::ReadZip(WriteDocx({Page(18, "a")}, kStamp));
  std::vector<std::string> names;
  for (const auto& entry : entries) names.push_back(entry.name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"[Content_Types].xml", "_rels/.rels", "word/document.xml",
                                      "word/_rels/document.xml.rels", "word/styles.xml"}));
  const std::string types = testing::EntryContents(entries, "[Content_Types].xml");
  EXPECT_NE(types.find("PartName=\"/word/document.xml\""), std::string::npos);
  EXPECT_NE(types.find("PartName=\"/word/styles.xml\""), std::string::npos);
  EXPECT_NE(testing::EntryContents(entries, "_rels/.rels").find("Target=\"word/document.xml\""),
            std::string::npos);
  const std::string styles = testing::EntryContents(entries, "word/styles.xml");
  EXPECT_NE(styles.find("w:eastAsia=\"宋体\""), std::string::npos);
  EXPECT_NE(styles.find("<w:sz w:val=\"21\"/>"), std::string::npos) << "Normal is 10.5 pt";
  EXPECT_NE(styles.find("w:styleId=\"Title\""), std::string::npos);
}

struct SizeCase {
  int size;
  std::initializer_list<int> widths;
  int indent;  // the table's left edge plus the cell margin
  int marginLeft;
  int marginRight;
  std::vector<int> answerCellParagraphs;  // first cell of answer rows 2, 4, ... 12
};

// The templates' page and margins, with the table kept 1 cm from the paper's edges: the
// 24-problem table shrunk by 44 twips, the 30-problem one moved in and shrunk by 4 %.
TEST(WriteDocx, PagesHaveTheTemplateGeometryOfTheirSizeWithTheTableOffThePaperEdge) {
  const SizeCase cases[] = {
      {18, {3085, 3033, 3090}, -36, 1457, 1457, {6, 6, 6, 6, 6, 6}},
      {24, {2683, 2683, 2683, 2681}, -779, 1457, 1457, {6, 6, 6, 6, 6, 6}},
      {30, {2155, 2155, 2155, 2154, 2149}, -835, 1474, 1531, {5, 6, 6, 6, 6, 6}},
  };
  for (const SizeCase& sheet : cases) {
    SCOPED_TRACE(sheet.size);
    const std::string xml = DocumentXml({Page(sheet.size, "x")});
    EXPECT_NE(xml.find("<w:pgSz w:w=\"11906\" w:h=\"16838\"/>"), std::string::npos);
    EXPECT_NE(xml.find("<w:pgMar w:top=\"805\" w:right=\"" + std::to_string(sheet.marginRight) +
                       "\" w:bottom=\"822\" w:left=\"" + std::to_string(sheet.marginLeft) +
                       "\" w:header=\"851\" w:footer=\"992\" w:gutter=\"0\"/>"),
              std::string::npos);
    EXPECT_EQ(Between(xml, "<w:tblInd w:w=\"", "\""), Numbers({sheet.indent}));
    const int left = sheet.marginLeft + sheet.indent - 72;
    int width = 0;
    for (int column : sheet.widths) width += column;
    EXPECT_GE(left, 567);
    EXPECT_LE(left + width, 11906 - 567);
    EXPECT_EQ(Between(xml, "<w:gridCol w:w=\"", "\"/>"), Numbers(sheet.widths));
    EXPECT_EQ(Between(xml, "<w:tcW w:w=\"", "\" w:type=\"dxa\"/>"), Numbers(sheet.widths, 12));
    EXPECT_EQ(Between(xml, "<w:trHeight w:val=\"", "\" w:hRule=\"atLeast\"/>"),
              Numbers({330, 1560, 330, 1560, 330, 1560, 375, 1560, 330, 1560, 330, 1560}));
    EXPECT_NE(xml.find("<w:tblLayout w:type=\"fixed\"/>"), std::string::npos);
    EXPECT_NE(xml.find("<w:left w:w=\"72\" w:type=\"dxa\"/>"), std::string::npos);
    EXPECT_NE(xml.find("<w:right w:w=\"72\" w:type=\"dxa\"/>"), std::string::npos);

    // The answer space: the first cell of each answer row, rows 2, 4, ... 12.
    const std::vector<std::string> rows = Between(xml, "<w:tr>", "</w:tr>");
    ASSERT_EQ(rows.size(), 12u);
    for (std::size_t row = 0; row < 6; ++row) {
      const std::string cell = Between(rows[2 * row + 1], "</w:tcPr>", "</w:tc>").at(0);
      const std::size_t paragraphs = Count(cell, "<w:p>") + Count(cell, "<w:p/>");
      EXPECT_EQ(paragraphs, static_cast<std::size_t>(sheet.answerCellParagraphs[row])) << row;
      EXPECT_EQ(cell.find("<w:br/>") != std::string::npos, sheet.size == 30 && row == 0) << row;
    }
  }
}

// Problems at 12 pt on 18-problem pages, at 10 pt in the narrower 30-problem columns.
TEST(WriteDocx, TextsComeInPageOrderWithProblemsAtTheirSizesPoints) {
  const std::vector<DocumentPage> pages = {Page(18, "a"), Page(30, "b")};
  const std::string xml = DocumentXml(pages);
  std::vector<std::string> expected;
  for (const DocumentPage& page : pages) {
    expected.push_back(kSheetTitle);
    expected.push_back(page.heading);
    expected.insert(expected.end(), page.cells.begin(), page.cells.end());
    expected.push_back(page.dateLine);
  }
  EXPECT_EQ(RunTexts(xml), expected);
  EXPECT_EQ(Count(xml, "<w:r><w:rPr><w:sz w:val=\"24\"/><w:szCs w:val=\"24\"/></w:rPr><w:t "), 18u);
  EXPECT_EQ(Count(xml, "<w:r><w:rPr><w:sz w:val=\"20\"/><w:szCs w:val=\"20\"/></w:rPr><w:t "), 30u);
  EXPECT_EQ(Count(xml, "<w:pStyle w:val=\"Title\"/>"), 2u);
  EXPECT_EQ(Count(xml, "<w:ind w:right=\"420\"/>"), 4u) << "empty line and heading";
}

TEST(WriteDocx, ARuleLineIsAParagraphOfItsOwnUnderTheHeading) {
  DocumentPage ruled = Page(24, "r");
  ruled.underHeading = {"表内除法：第二个数 1～9，结果 1～9，余数 0%"};
  const std::vector<std::string> texts = RunTexts(DocumentXml({Page(18, "a"), ruled}));
  const auto heading = std::find(texts.begin(), texts.end(), ruled.heading);
  ASSERT_NE(heading, texts.end());
  EXPECT_EQ(*(heading + 1), ruled.underHeading.front());
  EXPECT_EQ(*(heading + 2), ruled.cells.front());
}

TEST(WriteDocx, AKeyHasEachAnswerAloneAtTheTopOfTheAnswerRowUnderItsProblem) {
  for (const int size : {18, 24, 30}) {
    SCOPED_TRACE(size);
    DocumentPage key = Page(size, "k");
    for (int cell = 1; cell <= size; ++cell) key.answers.push_back("=" + std::to_string(cell));
    key.title = "期末复习";
    key.underHeading = {"班级＿＿＿＿　姓名＿＿＿＿"};
    const std::string xml = DocumentXml({key});
    const std::vector<std::string> rows = Between(xml, "<w:tr>", "</w:tr>");
    ASSERT_EQ(rows.size(), 12u);
    const std::size_t columns = static_cast<std::size_t>(size) / 6;
    for (std::size_t row = 0; row < 12; ++row) {
      const std::vector<std::string> cells = Between(rows[row], "</w:tcPr>", "</w:tc>");
      ASSERT_EQ(cells.size(), columns);
      for (std::size_t column = 0; column < columns; ++column) {
        const std::size_t index = row / 2 * columns + column;
        const std::string& wanted = row % 2 == 0 ? key.cells[index] : key.answers[index];
        EXPECT_EQ(RunTexts(cells[column]), std::vector<std::string>{wanted});
        EXPECT_EQ(Count(cells[column], "<w:p>") + Count(cells[column], "<w:p/>"), 1u);
        const std::string halfPoints = size == 18 ? "24" : size == 24 ? "22" : "20";
        EXPECT_NE(cells[column].find("<w:sz w:val=\"" + halfPoints + "\"/>"), std::string::npos);
        EXPECT_EQ(cells[column].find("<w:jc w:val=\"left\"/>") != std::string::npos, row % 2 == 1);
      }
    }
    const std::vector<std::string> texts = RunTexts(xml);
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 3),
              (std::vector<std::string>{"期末复习", key.heading, "班级＿＿＿＿　姓名＿＿＿＿"}));
  }
}

TEST(WriteDocx, ANewSectionWhereTheSizeChangesAPageBreakWhereItDoesNot) {
  const std::string xml = DocumentXml({Page(18, "a"), Page(18, "b"), Page(30, "c"), Page(24, "d")});
  EXPECT_EQ(Count(xml, "<w:pageBreakBefore/>"), 1u);
  std::vector<std::string> leftMargins, rightMargins;
  for (const std::string& margins : Between(xml, "<w:pgMar ", "/>")) {
    leftMargins.push_back(Between(margins, "w:left=\"", "\"").at(0));
    rightMargins.push_back(Between(margins, "w:right=\"", "\"").at(0));
  }
  EXPECT_EQ(leftMargins, Numbers({1457, 1474, 1457}));
  EXPECT_EQ(rightMargins, Numbers({1457, 1531, 1457}));
  // Each closing section is in the date line of the last page of its size.
  EXPECT_NE(xml.find("<w:pPr><w:sectPr>"), std::string::npos);
  EXPECT_EQ(Between(xml, "</w:sectPr></w:pPr><w:r><w:t xml:space=\"preserve\">", "</w:t>"),
            (std::vector<std::string>{"2026年12月9日    卷号 b", "2026年12月9日    卷号 c"}));
}

TEST(WriteDocx, SameInputGivesTheSameBytes) {
  const std::vector<DocumentPage> pages = {Page(24, "a"), Page(30, "b")};
  EXPECT_EQ(WriteDocx(pages, kStamp), WriteDocx(pages, kStamp));
  EXPECT_NE(WriteDocx(pages, kStamp), WriteDocx(pages, {2026, 12, 10, 8, 30, 0}));
}

TEST(AppendRunContent, EscapesMarkupAndKeepsEveryTextWellFormed) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"  a  b ", "<w:t xml:space=\"preserve\">  a  b </w:t>"},
      {"1 < 2 & 3 > \"0\" 'x'",
       "<w:t xml:space=\"preserve\">1 &lt; 2 &amp; 3 &gt; &quot;0&quot; 'x'</w:t>"},
      {"a\tb", "<w:t xml:space=\"preserve\">a</w:t><w:tab/><w:t xml:space=\"preserve\">b</w:t>"},
      {"a\r\nb\nc\r",
       "<w:t xml:space=\"preserve\">a</w:t><w:br/><w:t xml:space=\"preserve\">b"
       "</w:t><w:br/><w:t xml:space=\"preserve\">c</w:t><w:br/>"},
      {std::string("a\0b\x01\x1F\x7F", 6),
       "<w:t xml:space=\"preserve\">a\xEF\xBF\xBD"
       "b\xEF\xBF\xBD\xEF\xBF\xBD\x7F</w:t>"},
      {"\xEF\xBF\xBE\xEF\xBF\xBF\xEF\xBF\xBD",
       "<w:t xml:space=\"preserve\">\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD</w:t>"},
      {"½ ÷ 数 \xF0\x9F\x99\x82", "<w:t xml:space=\"preserve\">½ ÷ 数 \xF0\x9F\x99\x82</w:t>"},
  };
  for (const auto& [text, expected] : cases) {
    std::string out = "<w:r>";
    AppendRunContent(out, text, "test");
    EXPECT_EQ(out, "<w:r>" + expected) << text;
  }
}

TEST(AppendRunContent, RefusesBytesThatAreNotUtf8AndLeavesTheOutputAlone) {
  const char* refused[] = {"\x80",
                           "a\xC0\x80",
                           "\xC3",
                           "\xE4\xBD",
                           "\xED\xA0\x80",
                           "\xF4\x90\x80\x80",
                           "\xF5\x80\x80\x80",
                           "\xFF",
                           "\xE4\x28\xA0"};
  for (const char* text : refused) {
    std::string out = "kept";
    EXPECT_THROW(AppendRunContent(out, text, "the heading"), std::invalid_argument) << text;
    EXPECT_EQ(out, "kept");
  }
}

TEST(WriteDocx, RefusesBadPagesNamingThePage) {
  auto message = [](const std::vector<DocumentPage>& pages) -> std::string {
    try {
      WriteDocx(pages, kStamp);
    } catch (const std::invalid_argument& error) {
      return error.what();
    }
    return "accepted";
  };
  DocumentPage shortPage = Page(18, "a");
  shortPage.cells.pop_back();
  DocumentPage shortKey = Page(18, "q");
  shortKey.answers.assign(17, "1");
  DocumentPage longPage = Page(24, "a");
  longPage.cells.push_back("extra");
  DocumentPage badCell = Page(30, "a");
  badCell.cells[2] = "\xC3(";
  DocumentPage badDate = Page(18, "a");
  badDate.dateLine = "\xFF";

  EXPECT_EQ(message({}), "a document needs at least one page");
  EXPECT_EQ(message({Page(18, "a"), Page(20, "b")}),
            "page 2: the sheet size is 20, not 18, 24 or 30");
  EXPECT_EQ(message({Page(0, "a")}), "page 1: the sheet size is 0, not 18, 24 or 30");
  EXPECT_EQ(message({shortPage}), "page 1: 17 cell texts for a sheet of 18");
  EXPECT_EQ(message({Page(18, "a"), longPage}), "page 2: 25 cell texts for a sheet of 24");
  EXPECT_EQ(message({shortKey}), "page 1: 17 answers for a sheet of 18");
  EXPECT_EQ(message({badCell}), "page 1, cell 3 is not valid UTF-8 (byte 1)");
  EXPECT_EQ(message({Page(18, "a"), badDate}), "page 2, date line is not valid UTF-8 (byte 1)");
  EXPECT_THROW(WriteDocx({Page(18, "a")}, {1979, 1, 1, 0, 0, 0}), std::invalid_argument);
}

}  // namespace
}  // namespace kalkora
