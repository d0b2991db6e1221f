// The GDI page painter under Wine, drawn into an enhanced metafile whose records are read back:
// each text of the layout in its font at its box's place, each rule of the grid, the white
// paper, all scaled uniformly into the target and centred in it.
#include "paint/win32/page_painter.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/app/batch_command.hpp"
#include "core/generate/sheet.hpp"
#include "core/word/sheet_pages.hpp"
#include "metafile_records.hpp"

namespace kalkora {
namespace {

using testing::MetafileDrawing;

// Positions are whole device units: the paper's corner is rounded down to one (up to a unit
// off) and each distance from it is rounded to the nearest (half a unit).
constexpr double kPlaceTolerance = 1.5;
// A centred text's middle: the average of its box's two rounded edges, then halved once more
// into whole units.
constexpr double kCentreTolerance = 2.0;

// Where the paper lands in a target, worked out here in real numbers.
struct Fit {
  double scale;
  double left;
  double top;
  double X(double twips) const { return left + twips * scale; }
  double Y(double twips) const { return top + twips * scale; }
};

Fit FitPaper(const PageLayout& page, const RECT& target) {
  const double width = target.right - target.left;
  const double height = target.bottom - target.top;
  const double scale = std::min(width / page.paperWidth, height / page.paperHeight);
  return {scale, target.left + (width - page.paperWidth * scale) / 2,
          target.top + (height - page.paperHeight * scale) / 2};
}

struct Target {
  const char* name;
  RECT rect;
};

const Target kTargets[] = {
    {"a preview narrower than the paper", {12, 34, 432, 734}},
    {"a preview wider than the paper", {0, 0, 900, 600}},
    {"A4 at 600 dots an inch", {0, 0, 4960, 7016}},
    {"A4 at 300 dots an inch behind a printer's margins", {-71, -75, 2409, 3433}},
};

PageLayout SheetLayout(ExerciseKind kind, int size, bool key) {
  SheetSettings settings;
  settings.kind = kind;
  settings.size = size;
  const Sheet sheet = MakeSheet(settings, 482913, {2026, 12, 9, 8, 30, 0});
  BatchRequest request;
  request.title = "三年级口算练习";
  request.nameLine = true;
  return LayOutPage(AsRequested(key ? AnswerKeyPage(sheet) : WorksheetPage(sheet), request));
}

// Texts too long for their boxes, which the painter must narrow to fit.
PageLayout OverlongTexts() {
  PageLayout page = SheetLayout(ExerciseKind::Addition, 18, false);
  const std::string text = "1234567890 + 1234567890 = 2469135780 余 一二三四五";
  page.texts = {{text, {1000, 1000, 1500, 300}, TextAlign::Left, 12, false, TextRole::Problem},
                {text, {3000, 2000, 1200, 600}, TextAlign::Centre, 24, true, TextRole::Title}};
  page.lines.clear();
  return page;
}

struct PageCase {
  const char* name;
  PageLayout layout;
};

std::vector<PageCase> Pages() {
  return {{"worksheet of 18 divisions", SheetLayout(ExerciseKind::Division, 18, false)},
          {"key of 24 multiplications", SheetLayout(ExerciseKind::Multiplication, 24, true)},
          {"key of 30 fractions", SheetLayout(ExerciseKind::Fraction, 30, true)},
          {"worksheet of 30 chains", SheetLayout(ExerciseKind::ChainAddSub, 30, false)},
          {"overlong texts", OverlongTexts()}};
}

// Paints into a metafile DC whose state is set otherwise first, checks that the painter
// leaves that state as it was, and reads the records back.
MetafileDrawing PaintIntoMetafile(const PageLayout& page, const RECT& target) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(dc, nullptr);
  SetTextAlign(dc, TA_BASELINE | TA_RIGHT);
  SetBkMode(dc, OPAQUE);
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  win32::PaintPage(dc, page, target);
  EXPECT_EQ(GetTextAlign(dc), UINT{TA_BASELINE | TA_RIGHT});
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  const HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  const MetafileDrawing drawing = testing::ReadMetafile(metafile);
  DeleteEnhMetaFile(metafile);
  return drawing;
}

void ExpectPaper(const MetafileDrawing& drawing, const PageLayout& page, const Fit& fit) {
  ASSERT_FALSE(drawing.fills.empty()) << "no paper";
  const testing::MetafileFill& paper = drawing.fills.front();
  EXPECT_EQ(paper.colour, RGB(255, 255, 255));
  EXPECT_NEAR(paper.rect.left, fit.X(0), kPlaceTolerance);
  EXPECT_NEAR(paper.rect.top, fit.Y(0), kPlaceTolerance);
  EXPECT_NEAR(paper.rect.right, fit.X(page.paperWidth), kPlaceTolerance);
  EXPECT_NEAR(paper.rect.bottom, fit.Y(page.paperHeight), kPlaceTolerance);
}

void ExpectGrid(const MetafileDrawing& drawing, const PageLayout& page, const Fit& fit) {
  ASSERT_EQ(drawing.lines.size(), page.lines.size());
  for (std::size_t i = 0; i < page.lines.size(); ++i) {
    const PageLine& rule = page.lines[i];
    const testing::MetafileLine& line = drawing.lines[i];
    SCOPED_TRACE(::testing::Message() << "rule " << i);
    ASSERT_EQ(line.points.size(), 2u);
    EXPECT_NEAR(line.points[0].x, fit.X(rule.x1), kPlaceTolerance);
    EXPECT_NEAR(line.points[0].y, fit.Y(rule.y1), kPlaceTolerance);
    EXPECT_NEAR(line.points[1].x, fit.X(rule.x2), kPlaceTolerance);
    EXPECT_NEAR(line.points[1].y, fit.Y(rule.y2), kPlaceTolerance);
    EXPECT_NEAR(line.penWidth, std::max(1.0, rule.width * fit.scale), 0.5);
    EXPECT_TRUE(line.squareEnds);
  }
}

void ExpectTexts(const MetafileDrawing& drawing, const PageLayout& page, const Fit& fit) {
  std::vector<const PageText*> shown;
  for (const PageText& text : page.texts) {
    if (!text.text.empty()) shown.push_back(&text);
  }
  ASSERT_EQ(drawing.texts.size(), shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const PageText& text = *shown[i];
    const testing::MetafileText& drawn = drawing.texts[i];
    SCOPED_TRACE(::testing::Message() << "text " << i << " " << text.text);
    EXPECT_EQ(drawn.text, text.text);
    EXPECT_EQ(std::wstring(drawn.font.lfFaceName), L"Microsoft YaHei");
    EXPECT_NEAR(-drawn.font.lfHeight, std::max(1.0, text.points * 20 * fit.scale), 0.5);
    EXPECT_EQ(drawn.font.lfWeight, text.bold ? FW_BOLD : FW_NORMAL);
    EXPECT_GT(drawn.width, 0);
    const double left = fit.X(text.box.x);
    const double right = fit.X(text.box.x + text.box.width);
    EXPECT_NEAR(drawn.reference.y, fit.Y(text.box.y), kPlaceTolerance);
    EXPECT_GE(drawn.reference.x, left - kPlaceTolerance);
    EXPECT_LE(drawn.reference.x + drawn.width, right + kPlaceTolerance) << "wider than its box";
    if (text.align == TextAlign::Left) {
      EXPECT_NEAR(drawn.reference.x, left, kPlaceTolerance);
    } else {
      EXPECT_NEAR(drawn.reference.x + drawn.width / 2.0, (left + right) / 2, kCentreTolerance);
    }
  }
}

TEST(Win32PagePainter, DrawsEveryTextAndRuleOfThePageScaledAndCentredInTheTarget) {
  for (const PageCase& page : Pages()) {
    for (const Target& target : kTargets) {
      SCOPED_TRACE(::testing::Message() << page.name << ", " << target.name);
      const MetafileDrawing drawing = PaintIntoMetafile(page.layout, target.rect);
      const Fit fit = FitPaper(page.layout, target.rect);
      ExpectPaper(drawing, page.layout, fit);
      ExpectGrid(drawing, page.layout, fit);
      ExpectTexts(drawing, page.layout, fit);
    }
  }
}

// An empty target or paper draws nothing and leaves nothing selected.
TEST(Win32PagePainter, DrawsNothingIntoAnEmptyTarget) {
  const PageLayout page = SheetLayout(ExerciseKind::Addition, 18, false);
  for (const RECT& target : {RECT{10, 10, 10, 500}, RECT{0, 0, 400, -1}}) {
    const MetafileDrawing drawing = PaintIntoMetafile(page, target);
    EXPECT_TRUE(drawing.texts.empty());
    EXPECT_TRUE(drawing.lines.empty());
    EXPECT_TRUE(drawing.fills.empty());
  }
  EXPECT_TRUE(PaintIntoMetafile(PageLayout{}, RECT{0, 0, 400, 600}).texts.empty());
}

}  // namespace
}  // namespace kalkora
