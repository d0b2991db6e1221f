#include "core/word/sheet_geometry.hpp"

#include <algorithm>

namespace kalkora {
namespace {

namespace geometry = sheet_geometry;

constexpr std::array<int, 3> kWidths18 = {3085, 3033, 3090};
constexpr std::array<int, 4> kWidths24 = {2694, 2694, 2694, 2691};
constexpr std::array<int, 5> kWidths30 = {2247, 2247, 2247, 2246, 2241};

constexpr std::array<SheetGeometry, 3> kSheets = {{
    {18, kWidths18, -108, 1457, 1457, false},
    {24, kWidths24, -851, 1457, 1457, false},
    {30, kWidths30, -1134, 1474, 1531, true},
}};

template <std::size_t N>
constexpr int Sum(const std::array<int, N>& widths) {
  int sum = 0;
  for (int width : widths) sum += width;
  return sum;
}

// The table's left border from the paper's edge, brought in to the clearance where needed.
constexpr int ClassSetLeft(const SheetGeometry& sheet) {
  return std::max(sheet.marginLeft + sheet.tableLeftEdge, geometry::kPaperEdgeClearance);
}

// Each column scaled down (rounding down) so that the table ends the clearance from the
// paper's right edge; unchanged where it already does.
template <std::size_t N>
constexpr std::array<int, N> ClassSetWidths(const std::array<int, N>& widths,
                                            const SheetGeometry& sheet) {
  const int room = geometry::kPageWidth - geometry::kPaperEdgeClearance - ClassSetLeft(sheet);
  const int total = Sum(widths);
  std::array<int, N> scaled = widths;
  if (total <= room) return scaled;
  for (std::size_t i = 0; i < N; ++i) scaled[i] = widths[i] * room / total;
  return scaled;
}

constexpr std::array<int, 3> kClassWidths18 = ClassSetWidths(kWidths18, kSheets[0]);
constexpr std::array<int, 4> kClassWidths24 = ClassSetWidths(kWidths24, kSheets[1]);
constexpr std::array<int, 5> kClassWidths30 = ClassSetWidths(kWidths30, kSheets[2]);

constexpr SheetGeometry ClassSet(const SheetGeometry& sheet, std::span<const int> widths) {
  return {sheet.sheetSize,
          widths,
          ClassSetLeft(sheet) - sheet.marginLeft,
          sheet.marginLeft,
          sheet.marginRight,
          sheet.firstAnswerRowHasLineBreak};
}

constexpr std::array<SheetGeometry, 3> kClassSets = {{
    ClassSet(kSheets[0], kClassWidths18),
    ClassSet(kSheets[1], kClassWidths24),
    ClassSet(kSheets[2], kClassWidths30),
}};

const SheetGeometry* FindIn(const std::array<SheetGeometry, 3>& sheets, int sheetSize) {
  for (const SheetGeometry& sheet : sheets) {
    if (sheet.sheetSize == sheetSize) return &sheet;
  }
  return nullptr;
}

}  // namespace

const SheetGeometry* FindSheetGeometry(int sheetSize) { return FindIn(kSheets, sheetSize); }

const SheetGeometry* FindClassSetGeometry(int sheetSize) { return FindIn(kClassSets, sheetSize); }

int ClassSetRowHeight(std::size_t row) {
  const int least = row % 2 == 0 ? geometry::kProblemRowHeight : geometry::kAnswerRowHeight;
  return std::max(geometry::kRowHeights.at(row), least);
}

int ClassSetCellHalfPoints(int sheetSize) {
  switch (sheetSize) {
    case 18:
      return 24;
    case 24:
      return 22;
    case 30:
      return 20;
    default:
      return 0;
  }
}

}  // namespace kalkora
