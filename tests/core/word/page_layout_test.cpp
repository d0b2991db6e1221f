#include "core/word/page_layout.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace kalkora {
namespace {

// The templates' table of each size, as the .docx test reads it: the table's left border and
// the column widths of a class set, in twips from the paper's left edge.
struct Table {
  int size;
  int left;
  std::vector<int> widths;
  int marginLeft;
  int marginRight;
};

const Table kTables[] = {
    {18, 1349, {3085, 3033, 3090}, 1457, 1457},
    {24, 606, {2683, 2683, 2683, 2681}, 1457, 1457},
    {30, 567, {2155, 2155, 2155, 2154, 2149}, 1474, 1531},
};
const std::vector<int> kRowHeights = {330, 1560, 330, 1560, 330, 1560,
                                      375, 1560, 330, 1560, 330, 1560};
const std::string kHeading = "  加法运算题" + std::string(58, ' ') + "评分：";

DocumentPage Page(int size, bool key) {
  DocumentPage page;
  page.sheetSize = size;
  page.heading = kHeading;
  page.dateLine = "2026年12月9日    卷号 482913";
  for (int cell = 0; cell < size; ++cell) {
    page.cells.push_back("p" + std::to_string(cell));
    if (key) page.answers.push_back("a" + std::to_string(cell));
  }
  return page;
}

std::vector<const PageText*> WithRole(const PageLayout& layout, TextRole role) {
  std::vector<const PageText*> found;
  for (const PageText& text : layout.texts) {
    if (text.role == role) found.push_back(&text);
  }
  return found;
}

// Every problem and answer stands at the top of its own cell, inside the cell margins, in
// reading order; the grid's rules are the cells' borders.
TEST(PageLayout, EachTextStandsInItsCellAndTheGridBordersTheCells) {
  for (const Table& table : kTables) {
    for (const bool key : {false, true}) {
      SCOPED_TRACE(testing::Message() << table.size << (key ? " key" : " sheet"));
      const PageLayout layout = LayOutPage(Page(table.size, key));
      EXPECT_EQ(layout.paperWidth, 11906);
      EXPECT_EQ(layout.paperHeight, 16838);
      EXPECT_EQ(layout.marginLeft, table.marginLeft);
      EXPECT_EQ(layout.marginRight, table.marginRight);
      EXPECT_GE(layout.table.x, 567);
      EXPECT_GE(layout.table.y, 567);
      EXPECT_LE(layout.table.x + layout.table.width, layout.paperWidth - 567);
      EXPECT_LE(layout.table.y + layout.table.height, layout.paperHeight - 567);
      EXPECT_EQ(layout.table.x, table.left);

      std::vector<int> columnLefts = {table.left};
      for (int width : table.widths) columnLefts.push_back(columnLefts.back() + width);
      std::vector<int> rowTops = {layout.table.y};
      for (int height : kRowHeights) rowTops.push_back(rowTops.back() + height);
      EXPECT_EQ(layout.table.width, columnLefts.back() - table.left);
      EXPECT_EQ(layout.table.height, rowTops.back() - rowTops.front());

      std::vector<PageLine> expectedLines;
      for (int top : rowTops)
        expectedLines.push_back({columnLefts.front(), top, columnLefts.back(), top});
      for (int left : columnLefts)
        expectedLines.push_back({left, rowTops.front(), left, rowTops.back()});
      ASSERT_EQ(layout.lines.size(), expectedLines.size());
      for (std::size_t i = 0; i < expectedLines.size(); ++i) {
        EXPECT_EQ(std::tie(layout.lines[i].x1, layout.lines[i].y1, layout.lines[i].x2,
                           layout.lines[i].y2),
                  std::tie(expectedLines[i].x1, expectedLines[i].y1, expectedLines[i].x2,
                           expectedLines[i].y2))
            << i;
      }

      const std::size_t columns = table.widths.size();
      for (const TextRole role : {TextRole::Problem, TextRole::Answer}) {
        const std::vector<const PageText*> texts = WithRole(layout, role);
        ASSERT_EQ(texts.size(),
                  role == TextRole::Answer && !key ? 0u : static_cast<std::size_t>(table.size));
        for (std::size_t i = 0; i < texts.size(); ++i) {
          const std::size_t row = i / columns * 2 + (role == TextRole::Answer ? 1 : 0);
          const std::size_t column = i % columns;
          const PageText& text = *texts[i];
          EXPECT_EQ(text.text, (role == TextRole::Answer ? "a" : "p") + std::to_string(i));
          EXPECT_EQ(text.align, TextAlign::Left);
          EXPECT_EQ(text.points, table.size == 18 ? 12 : table.size == 24 ? 11 : 10);
          EXPECT_FALSE(text.bold);
          EXPECT_EQ(text.box.x, columnLefts[column] + 72) << i;
          EXPECT_EQ(text.box.x + text.box.width, columnLefts[column + 1] - 72) << i;
          EXPECT_GT(text.box.y, rowTops[row]) << i;
          EXPECT_LE(text.box.y + text.box.height, rowTops[row + 1]) << i;
        }
      }
    }
  }
}

// Top to bottom: the title, centred and bold between the margins, the heading with its score
// field, the lines under the heading, the table, the date line; none overlaps the next.
TEST(PageLayout, TheLinesAroundTheTableComeInOrderWithinTheMargins) {
  for (const Table& table : kTables) {
    SCOPED_TRACE(table.size);
    DocumentPage page = Page(table.size, false);
    page.title = "期末复习";
    page.underHeading = {"班级＿＿＿＿　姓名＿＿＿＿", "第二行"};
    const PageLayout layout = LayOutPage(page);
    const std::vector<TextRole> order = {TextRole::Title, TextRole::Heading, TextRole::ScoreField,
                                         TextRole::UnderHeading, TextRole::UnderHeading};
    std::vector<const PageText*> outside;
    for (const PageText& text : layout.texts) {
      if (text.role != TextRole::Problem && text.role != TextRole::Answer) outside.push_back(&text);
    }
    ASSERT_EQ(outside.size(), 6u);
    EXPECT_EQ(outside[0]->text, "期末复习");
    EXPECT_EQ(outside[0]->align, TextAlign::Centre);
    EXPECT_TRUE(outside[0]->bold);
    EXPECT_EQ(outside[0]->points, 24);
    EXPECT_EQ(outside[0]->box.x, table.marginLeft);
    EXPECT_EQ(outside[0]->box.x + outside[0]->box.width, 11906 - table.marginRight);
    EXPECT_EQ(outside[1]->text, "  加法运算题");
    EXPECT_EQ(outside[2]->text, "评分：");
    EXPECT_EQ(outside[2]->box.y, outside[1]->box.y);
    EXPECT_LE(outside[1]->box.x + outside[1]->box.width, outside[2]->box.x);
    EXPECT_LE(outside[2]->box.x + outside[2]->box.width, 11906 - table.marginRight - 420);
    EXPECT_EQ(outside[3]->text, "班级＿＿＿＿　姓名＿＿＿＿");
    EXPECT_EQ(outside[4]->text, "第二行");
    EXPECT_EQ(outside[5]->text, page.dateLine);
    EXPECT_EQ(outside[5]->role, TextRole::DateLine);
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(outside[i]->role, order[i]) << i;
    EXPECT_GE(outside[0]->box.y, layout.marginTop);
    EXPECT_GE(outside[1]->box.y, outside[0]->box.y + outside[0]->box.height);
    EXPECT_GE(outside[3]->box.y, outside[1]->box.y + outside[1]->box.height);
    EXPECT_GE(outside[4]->box.y, outside[3]->box.y + outside[3]->box.height);
    EXPECT_GE(layout.table.y, outside[4]->box.y + outside[4]->box.height);
    EXPECT_GE(outside[5]->box.y, layout.table.y + layout.table.height);
    EXPECT_LE(outside[5]->box.y + outside[5]->box.height, layout.paperHeight - layout.marginBottom);
    for (std::size_t i = 1; i < outside.size(); ++i) {
      EXPECT_EQ(outside[i]->points, 10.5) << i;
      EXPECT_GE(outside[i]->box.x, table.marginLeft) << i;
    }
  }
}

TEST(PageLayout, AKeyHeadingHasNoScoreField) {
  DocumentPage key = Page(24, true);
  key.heading = "  加法运算题答案";
  const PageLayout layout = LayOutPage(key);
  EXPECT_TRUE(WithRole(layout, TextRole::ScoreField).empty());
  ASSERT_EQ(WithRole(layout, TextRole::Heading).size(), 1u);
  EXPECT_EQ(WithRole(layout, TextRole::Heading)[0]->text, "  加法运算题答案");
}

TEST(PageLayout, RefusesPagesThatDoNotMatchTheirSize) {
  DocumentPage wrongSize = Page(18, false);
  wrongSize.sheetSize = 20;
  DocumentPage fewAnswers = Page(30, true);
  fewAnswers.answers.pop_back();
  DocumentPage fewCells = Page(24, false);
  fewCells.cells.pop_back();
  for (const DocumentPage& page : {wrongSize, fewAnswers, fewCells}) {
    EXPECT_THROW(LayOutPage(page), std::invalid_argument);
  }
}

// 18 full-width characters fill the narrowest title line (8901 twips at 480 each); half-width
// ones count half.
TEST(PageLayout, ATitleFitsUpToItsLimitInFullWidthCharacters) {
  EXPECT_EQ(TitleLimit(), 18);
  const std::map<std::string, bool> cases = {
      {"数学作业练习", true},
      {std::string(18 * 3, '\0'), false},  // control characters
      {"", false},
      {"一二三四五六七八九十一二三四五六七八", true},
      {"一二三四五六七八九十一二三四五六七八九", false},
      {std::string(36, 'A'), true},
      {std::string(37, 'A'), false},
      {"一二三四五六七八九十一二三四五六七A", true},
      {"一二三四五六七八九十一二三四五六七AB", true},
      {"一二三四五六七八九十一二三四五六七ABC", false},
      {"Tab\there", false},
      {"\xC3(", false},
  };
  for (const auto& [title, fits] : cases) EXPECT_EQ(TitleFits(title), fits) << title;
}

}  // namespace
}  // namespace kalkora
