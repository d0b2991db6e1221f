#include "core/word/sheet_geometry.hpp"

namespace kalkora {
namespace {

constexpr std::array<int, 3> kWidths18 = {3085, 3033, 3090};
constexpr std::array<int, 4> kWidths24 = {2694, 2694, 2694, 2691};
constexpr std::array<int, 5> kWidths30 = {2247, 2247, 2247, 2246, 2241};

constexpr std::array<SheetGeometry, 3> kSheets = {{
    {18, kWidths18, -108, 1457, 1457, false},
    {24, kWidths24, -851, 1457, 1457, false},
    {30, kWidths30, -1134, 1474, 1531, true},
}};

}  // namespace

const SheetGeometry* FindSheetGeometry(int sheetSize) {
  for (const SheetGeometry& sheet : kSheets) {
    if (sheet.sheetSize == sheetSize) return &sheet;
  }
  return nullptr;
}

}  // namespace kalkora
