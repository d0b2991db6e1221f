#pragma once

#include <string>
#include <vector>

#include "core/word/docx_writer.hpp"

namespace kalkora {

// A rectangle on the paper, in twips from its top left corner.
struct PageBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

enum class TextAlign { Left, Centre };

// What a text is on its page, for painters that treat some texts apart and for checks.
enum class TextRole { Title, Heading, ScoreField, UnderHeading, Problem, Answer, DateLine };

// One line of text, set in its box: at the top, aligned left or centred. The box's height is
// the line as the office lays it out; its width is the room the text has, which it must not
// exceed (nothing wraps).
struct PageText {
  std::string text;
  PageBox box;
  TextAlign align = TextAlign::Left;
  double points = 10.5;
  bool bold = false;
  TextRole role = TextRole::Heading;
};

// A straight rule of the table's grid, `width` twips thick, centred on the line from
// (x1, y1) to (x2, y2).
struct PageLine {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  int width = 10;
};

// One page as every painter draws it: the paper, its margins, the grid and the texts. It
// holds no font metrics: painters measure and draw the texts themselves, each in its box.
struct PageLayout {
  int paperWidth = 0;
  int paperHeight = 0;
  int marginTop = 0;
  int marginRight = 0;
  int marginBottom = 0;
  int marginLeft = 0;
  PageBox table;
  std::vector<PageLine> lines;
  std::vector<PageText> texts;
};

// The page laid out like the .docx writer's page of the same texts, where the office prints
// them: the title centred, the heading and its score field, the lines under the heading, the
// table with each problem at the top of its cell and each answer at the top of the answer row
// under it, and the date line below the table. Throws std::invalid_argument for a size other
// than 18, 24 or 30, or a cell or answer count that does not match it.
PageLayout LayOutPage(const DocumentPage& page);

// The longest title, in full-width characters (two half-width ones count as one), that fits
// on the title's line of every size.
int TitleLimit();
// Whether `title` (UTF-8) fits on its line: not empty and no longer than TitleLimit().
bool TitleFits(const std::string& title);

}  // namespace kalkora
