#pragma once

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextPortionAppend.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace kalkora::uno {

// One place a paragraph move can stop in: a paragraph of the body, or one table cell with its
// paragraphs. Cells are listed in reading order (A1, B1, ..., A2, ...), which is how Word walks
// a table paragraph by paragraph.
struct StopSegment {
  css::uno::Reference<css::text::XTextRange> paragraph;  // a body paragraph
  css::uno::Reference<css::text::XTextTable> table;      // or the table of a cell
  rtl::OUString cellName;
  int cellIndex = 0;                               // in the table's reading order
  int cellCount = 0;                               // cells of that table
  css::uno::Reference<css::text::XText> cellText;  // fetched on first use
  css::uno::Reference<css::text::XTextPortionAppend> cellAppend;
  std::optional<int> paragraphs;  // counted on first use; 1 for the body

  bool InTable() const { return table.is(); }
};

// Word's selection on a Writer document: an ordered list of paragraph stops and a position in
// it. Moves are worked out here without asking the office; typing inserts a text portion at
// the position, in one call with its character size. While the selection is held the
// document's views are locked, so that typing costs no repaints; Finish puts the view cursor
// after the last text typed and unlocks them. Office failures come out as UNO exceptions.
class WriterSelection {
 public:
  // `connectionLive` tells whether calls over the connection are worth making: never over one
  // that was abandoned (the office may be stopped) or that is known to be gone.
  WriterSelection(const css::uno::Reference<css::text::XTextDocument>& document,
                  std::function<bool()> connectionLive);
  // Unlocks the views, as Unlock does.
  ~WriterSelection();
  WriterSelection(const WriterSelection&) = delete;
  WriterSelection& operator=(const WriterSelection&) = delete;

  void Finish();
  // Unlocks the views if they are still locked and the connection is live; never throws. True
  // when they are no longer locked by this selection.
  bool Unlock() noexcept;

  void ToTop();
  void DownParagraphs(std::int32_t count);
  // To the first paragraph of the cell `count` cells on in reading order, at most the last
  // cell; outside a table nothing moves.
  void RightCells(std::int32_t count);
  // Inserts at the position, in the given size when there is one; the position stays after it.
  void Type(std::string_view text, std::optional<float> size);

 private:
  int ParagraphsOf(StopSegment& segment);
  const css::uno::Reference<css::text::XText>& CellText(StopSegment& segment);
  css::uno::Reference<css::text::XTextRange> InsertionPoint();
  const css::uno::Reference<css::text::XTextPortionAppend>& Appender();
  void Moved() { typed_.clear(); }

  std::function<bool()> connectionLive_;
  css::uno::Reference<css::frame::XModel> model_;
  css::uno::Reference<css::text::XText> body_;
  css::uno::Reference<css::text::XTextPortionAppend> bodyAppend_;
  std::vector<StopSegment> segments_;
  std::size_t segment_ = 0;
  int paragraph_ = 0;                                 // within the segment
  css::uno::Reference<css::text::XTextRange> typed_;  // what was typed at this position
  css::uno::Reference<css::text::XTextRange> lastTyped_;
  bool locked_ = false;
};

}  // namespace kalkora::uno
