// The Qt page painter's face against the layout's boxes: what a class set shows fits its box
// on one line, measured with the face the painter draws in.
#include "paint/qt/page_painter.hpp"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <fstream>
#include <map>
#include <sstream>

#include "core/word/sheet_geometry.hpp"
#include "paint/qt/qt_page_text.hpp"

namespace kalkora::qt {
namespace {

// The narrowest text room of a cell of a class set of this size, in twips.
int CellRoom(int size) {
  int room = sheet_geometry::kPageWidth;
  for (int width : FindClassSetGeometry(size)->columnWidths) {
    room = std::min(room, width - 2 * sheet_geometry::kClassSetCellMargin);
  }
  return room;
}

double Advance(const std::string& text, double points) {
  return QFontMetricsF(PageFont(points, false)).horizontalAdvance(PageString(text));
}

std::vector<std::vector<std::string>> Rows(const char* file) {
  std::ifstream in(std::string(KALKORA_GOLDEN_DIR) + "/" + file);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::istringstream stream(line);
    for (std::string field; std::getline(stream, field, '\t');) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

// Every classic sheet text of the golden copies, of every kind, size and decimals, but for the
// largest range (numbers up to 2147483647 run long on the classic templates too).
TEST(PagePainter, EveryProblemOfEveryKindAndSizeFitsItsCellOnOneLine) {
  const std::vector<std::vector<std::string>> rows = Rows("classic_sheets.tsv");
  ASSERT_GT(rows.size(), 1000u);
  std::map<int, double> widest;
  for (const auto& row : rows) {
    ASSERT_GE(row.size(), 7u);
    if (row[4] == "2147483647") continue;
    const int size = std::stoi(row[1]);
    const double width = Advance(row[6], ClassSetCellHalfPoints(size) / 2.0);
    widest[size] = std::max(widest[size], width);
    EXPECT_LE(width, CellRoom(size)) << size << ": " << row[6];
  }
  for (const auto& [size, width] : widest) {
    std::printf("widest problem on a %d-problem sheet: %.0f of %d twips\n", size, width,
                CellRoom(size));
  }
}

// Each key answer of the golden class sets fits under its problem; they cover every kind.
TEST(PagePainter, EveryAnswerOfTheGoldenKeysFitsItsCell) {
  int size = 0;
  int answers = 0;
  bool key = false;
  for (const auto& row : Rows("class_sets.txt")) {
    if (row.empty()) continue;
    if (row[0].starts_with("set ")) size = std::stoi(row[0].substr(row[0].find(", ") + 2));
    if (row[0].starts_with("key heading")) key = true;
    if (row[0].starts_with("sheet heading")) key = false;
    if (!key || row.size() != 2 || row[0].empty() || row[0][0] < '0' || row[0][0] > '9') continue;
    const std::size_t equals = row[1].rfind("= ");
    ASSERT_NE(equals, std::string::npos) << row[1];
    const std::string answer = row[1].substr(equals + 2);
    EXPECT_LE(Advance(answer, ClassSetCellHalfPoints(size) / 2.0), CellRoom(size))
        << size << ": " << answer;
    ++answers;
  }
  EXPECT_GT(answers, 100);
}

// A painted page is not blank where its texts and rules are, and blank in its margins.
TEST(PagePainter, DrawsTheGridAndTextsInsideTheMargins) {
  DocumentPage page;
  page.sheetSize = 24;
  page.heading = "  加法运算题";
  page.dateLine = "2026年12月9日";
  page.cells.assign(24, "88 + 88 =");
  page.answers.assign(24, "176");
  const PageLayout layout = LayOutPage(page);
  QImage image(layout.paperWidth / 10, layout.paperHeight / 10, QImage::Format_Grayscale8);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(0.1, 0.1);
  PaintPage(painter, layout);
  painter.end();
  const auto dark = [&](int x, int y) { return qGray(image.pixel(x / 10, y / 10)) < 128; };
  EXPECT_TRUE(dark(layout.table.x + 500, layout.table.y)) << "the table's top rule";
  EXPECT_FALSE(dark(300, 300));
  EXPECT_FALSE(dark(layout.paperWidth - 300, layout.paperHeight / 2));
  int inked = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) inked += qGray(image.pixel(x, y)) < 128;
  }
  EXPECT_GT(inked, 2000);
}

}  // namespace
}  // namespace kalkora::qt

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
