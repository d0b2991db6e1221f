#pragma once

#include <array>
#include <cstddef>
#include <span>

namespace kalkora {

// The worksheet templates' layout in twips, the one table the document writer lays pages out
// by. It mirrors resources/templates/worksheet_fodt.py, from which the .doc templates are built.
namespace sheet_geometry {

inline constexpr int kPageWidth = 11906;  // A4 portrait
inline constexpr int kPageHeight = 16838;
inline constexpr int kMarginTop = 805;
inline constexpr int kMarginBottom = 822;
inline constexpr int kHeaderDistance = 851;
inline constexpr int kFooterDistance = 992;
inline constexpr int kCellMargin = 108;  // left and right, inside every cell
inline constexpr int kHeadingRightIndent = 420;

// Minimum heights of the twelve rows; odd rows (from 1) hold problems, even rows are answer
// space made tall by empty paragraphs.
inline constexpr std::array<int, 12> kRowHeights = {210, 1453, 240, 1550, 285, 1485,
                                                    375, 1535, 270, 1560, 300, 1245};
inline constexpr int kAnswerRowParagraphs = 6;

// Class sets are documents of their own, laid out by this table rather than typed into a
// template. Their table keeps this far from every paper edge (1 cm), where printers may clip.
inline constexpr int kPaperEdgeClearance = 567;
// Their rows stand at fixed heights: at least the template's, and at least what the office
// needs for one 12 pt problem line (15.6 pt with the templates' fonts) and for the six 10.5 pt
// paragraphs of answer space (6 x 12.8 pt), with a little to spare, so that a row never grows
// with its text and every painter puts each text where the office does.
inline constexpr int kProblemRowHeight = 330;
// Their cells keep a narrower margin left and right than the templates' kCellMargin, for
// room: "50.18280 × 100.21690 =" must stand on one line in a 30-problem column.
inline constexpr int kClassSetCellMargin = 72;
inline constexpr int kAnswerRowHeight = 1560;

}  // namespace sheet_geometry

struct SheetGeometry {
  int sheetSize;
  std::span<const int> columnWidths;
  int tableLeftEdge;  // the table's left border, from the left page margin
  int marginLeft;
  int marginRight;
  // The 30-problem template's first answer row starts with a line break and has one
  // paragraph fewer.
  bool firstAnswerRowHasLineBreak;
};

// The geometry of the template for 18, 24 or 30 problems; nullptr for any other size.
const SheetGeometry* FindSheetGeometry(int sheetSize);

// The geometry of a class set's page of that size: the template's, with the table moved in
// and its columns shrunk in proportion where it came nearer than kPaperEdgeClearance to the
// paper's edge; nullptr for any size but 18, 24 and 30.
const SheetGeometry* FindClassSetGeometry(int sheetSize);

// The height of row `row` (0 to 11) of a class set's table.
int ClassSetRowHeight(std::size_t row);

// The size of a class set's problems and answers, in half points: the cell writer's 12 pt on
// the 18-problem sheet, and smaller where the narrower columns would not hold the longest
// problems on one line at 12 pt (the four-number chains of 1-100, "50 + 100 + 100 + 89 ="):
// 11 pt for 24 problems, 10 pt for 30 (where five decimals are longest). 0 for any other size.
int ClassSetCellHalfPoints(int sheetSize);

}  // namespace kalkora
