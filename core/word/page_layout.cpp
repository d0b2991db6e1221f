#include "core/word/page_layout.hpp"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "core/word/sheet_geometry.hpp"

namespace kalkora {
namespace {

namespace geometry = sheet_geometry;

// Where the office puts the lines of a class set's page, in twips, measured from its PDF of the
// .docx writer's pages with the templates' fonts: the first paragraph's top, the title's 12 pt
// before and 3 pt after it, and the height of each kind of line.
constexpr int kBodyTop = 854;
constexpr int kTitleSpaceBefore = 240;
constexpr int kTitleSpaceAfter = 60;
constexpr int kTitleLine = 624;    // 24 pt, Chinese
constexpr int kEmptyLine = 253;    // 10.5 pt, the empty paragraph below the title
constexpr int kTextLine = 273;     // 10.5 pt with Chinese: heading, name line, date line
constexpr int kProblemLine = 312;  // 12 pt, in a cell
constexpr int kBorderToText = 4;   // from a row's top rule to its text's line
constexpr double kTitlePoints = 24;
constexpr double kTextPoints = 10.5;

constexpr std::string_view kScoreField = "评分：";
// The score field's left edge from the paper's edge: where the heading's run of spaces puts it,
// about, for the kinds' headings.
constexpr int kScoreFieldLeft = 6400;

int TextRight(const SheetGeometry& sheet) { return geometry::kPageWidth - sheet.marginRight; }

void CheckPage(const DocumentPage& page) {
  if (FindClassSetGeometry(page.sheetSize) == nullptr) {
    throw std::invalid_argument("the sheet size is " + std::to_string(page.sheetSize) +
                                ", not 18, 24 or 30");
  }
  const auto size = static_cast<std::size_t>(page.sheetSize);
  if (page.cells.size() != size || (!page.answers.empty() && page.answers.size() != size)) {
    throw std::invalid_argument(std::to_string(page.cells.size()) + " cells and " +
                                std::to_string(page.answers.size()) + " answers for a sheet of " +
                                std::to_string(page.sheetSize));
  }
}

// The heading: its words at the left, and a score field where it has one, at its own place.
void AddHeading(PageLayout& layout, const SheetGeometry& sheet, const std::string& heading,
                int top) {
  const int left = sheet.marginLeft;
  const int right = TextRight(sheet) - geometry::kHeadingRightIndent;
  std::string words = heading;
  const bool scored = words.ends_with(kScoreField);
  if (scored) {
    words.resize(words.size() - kScoreField.size());
    while (!words.empty() && words.back() == ' ') words.pop_back();
  }
  const int wordsRight = scored ? kScoreFieldLeft : right;
  layout.texts.push_back({words,
                          {left, top, wordsRight - left, kTextLine},
                          TextAlign::Left,
                          kTextPoints,
                          false,
                          TextRole::Heading});
  if (scored) {
    layout.texts.push_back({std::string(kScoreField),
                            {kScoreFieldLeft, top, right - kScoreFieldLeft, kTextLine},
                            TextAlign::Left,
                            kTextPoints,
                            false,
                            TextRole::ScoreField});
  }
}

// The table from `top`: its grid, each problem at the top of its cell and each answer at the
// top of the answer row under it. Returns the table's bottom.
int AddTable(PageLayout& layout, const SheetGeometry& sheet, const DocumentPage& page, int top) {
  const int left = sheet.marginLeft + sheet.tableLeftEdge;
  int width = 0;
  for (int column : sheet.columnWidths) width += column;
  const std::size_t columns = sheet.columnWidths.size();
  int y = top;
  std::size_t next = 0;
  for (std::size_t row = 0; row < geometry::kRowHeights.size(); ++row) {
    layout.lines.push_back({left, y, left + width, y});
    const bool problemRow = row % 2 == 0;
    if (problemRow || !page.answers.empty()) {
      const std::vector<std::string>& texts = problemRow ? page.cells : page.answers;
      const std::size_t first = problemRow ? next : next - columns;
      int x = left;
      for (std::size_t column = 0; column < columns; ++column) {
        const int room = sheet.columnWidths[column] - 2 * geometry::kClassSetCellMargin;
        layout.texts.push_back(
            {texts[first + column],
             {x + geometry::kClassSetCellMargin, y + kBorderToText, room, kProblemLine},
             TextAlign::Left,
             ClassSetCellHalfPoints(page.sheetSize) / 2.0,
             false,
             problemRow ? TextRole::Problem : TextRole::Answer});
        x += sheet.columnWidths[column];
      }
    }
    if (problemRow) next += columns;
    y += ClassSetRowHeight(row);
  }
  layout.lines.push_back({left, y, left + width, y});
  int x = left;
  layout.lines.push_back({x, top, x, y});
  for (int column : sheet.columnWidths) {
    x += column;
    layout.lines.push_back({x, top, x, y});
  }
  layout.table = {left, top, width, y - top};
  return y;
}

// The Unicode code points of UTF-8 text; nothing for text that is not UTF-8.
std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> points;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || i + length > text.size()) return {};
    char32_t point = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return {};
      point = (point << 6) | (next & 0x3F);
    }
    points.push_back(point);
    i += length;
  }
  return points;
}

}  // namespace

PageLayout LayOutPage(const DocumentPage& page) {
  CheckPage(page);
  const SheetGeometry& sheet = *FindClassSetGeometry(page.sheetSize);
  PageLayout layout;
  layout.paperWidth = geometry::kPageWidth;
  layout.paperHeight = geometry::kPageHeight;
  layout.marginTop = geometry::kMarginTop;
  layout.marginRight = sheet.marginRight;
  layout.marginBottom = geometry::kMarginBottom;
  layout.marginLeft = sheet.marginLeft;

  const int textWidth = TextRight(sheet) - sheet.marginLeft;
  int y = kBodyTop + kTitleSpaceBefore;
  layout.texts.push_back({page.title,
                          {sheet.marginLeft, y, textWidth, kTitleLine},
                          TextAlign::Centre,
                          kTitlePoints,
                          true,
                          TextRole::Title});
  y += kTitleLine + kTitleSpaceAfter + kEmptyLine;
  AddHeading(layout, sheet, page.heading, y);
  y += kTextLine;
  for (const std::string& line : page.underHeading) {
    layout.texts.push_back({line,
                            {sheet.marginLeft, y, textWidth, kTextLine},
                            TextAlign::Left,
                            kTextPoints,
                            false,
                            TextRole::UnderHeading});
    y += kTextLine;
  }
  y = AddTable(layout, sheet, page, y);
  layout.texts.push_back({page.dateLine,
                          {sheet.marginLeft, y, textWidth, kTextLine},
                          TextAlign::Left,
                          kTextPoints,
                          false,
                          TextRole::DateLine});
  return layout;
}

int TitleLimit() {
  int narrowest = geometry::kPageWidth;
  for (const int size : {18, 24, 30}) {
    const SheetGeometry& sheet = *FindClassSetGeometry(size);
    narrowest = std::min(narrowest, TextRight(sheet) - sheet.marginLeft);
  }
  // A full-width character is as wide as the type is tall: 24 pt, 480 twips.
  return narrowest / static_cast<int>(kTitlePoints * 20);
}

bool TitleFits(const std::string& title) {
  const std::vector<char32_t> points = CodePoints(title);
  if (points.empty()) return false;
  int halfWidths = 0;
  for (const char32_t point : points) {
    if (point < 0x20 || point == 0x7F) return false;
    // Latin, Greek and the like take about half the width of a Chinese character.
    halfWidths += point < 0x1100 ? 1 : 2;
  }
  return halfWidths <= 2 * TitleLimit();
}

}  // namespace kalkora
