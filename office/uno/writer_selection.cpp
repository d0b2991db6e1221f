#include "office/uno/writer_selection.hpp"

#include <algorithm>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

#include "office/uno/uno_text.hpp"

namespace kalkora::uno {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// The row number of a simple cell name such as "B12"; names of split cells sort by their
// first row number as well.
int CellRow(const rtl::OUString& name) {
  int row = 0;
  sal_Int32 i = 0;
  while (i < name.getLength() && !(name[i] >= '0' && name[i] <= '9')) ++i;
  for (; i < name.getLength() && name[i] >= '0' && name[i] <= '9'; ++i) {
    row = row * 10 + (name[i] - '0');
  }
  return row;
}

void AddTable(const Reference<css::text::XTextTable>& table, std::vector<StopSegment>& segments) {
  const css::uno::Sequence<rtl::OUString> names = table->getCellNames();
  std::vector<rtl::OUString> ordered(names.begin(), names.end());
  // The names come row by row from the left; sorting by row only keeps that order inside a row.
  std::ranges::stable_sort(ordered, {}, CellRow);
  const int count = static_cast<int>(ordered.size());
  for (int i = 0; i < count; ++i) {
    StopSegment segment;
    segment.table = table;
    segment.cellName = ordered[static_cast<std::size_t>(i)];
    segment.cellIndex = i;
    segment.cellCount = count;
    segments.push_back(std::move(segment));
  }
}

}  // namespace

WriterSelection::WriterSelection(const Reference<css::text::XTextDocument>& document,
                                 std::function<bool()> connectionLive)
    : connectionLive_(std::move(connectionLive)),
      model_(document, UNO_QUERY_THROW),
      body_(document->getText()),
      bodyAppend_(body_, UNO_QUERY_THROW) {
  const Reference<css::container::XEnumerationAccess> access(body_, UNO_QUERY_THROW);
  const Reference<css::container::XEnumeration> elements = access->createEnumeration();
  while (elements->hasMoreElements()) {
    const css::uno::Any element = elements->nextElement();
    if (const Reference<css::text::XTextTable> table(element, UNO_QUERY); table.is()) {
      AddTable(table, segments_);
    } else {
      StopSegment segment;
      segment.paragraph.set(element, UNO_QUERY_THROW);
      segment.paragraphs = 1;
      segments_.push_back(std::move(segment));
    }
  }
  if (segments_.empty()) throw css::uno::RuntimeException("a document without paragraphs");
  model_->lockControllers();
  locked_ = true;
}

WriterSelection::~WriterSelection() { Unlock(); }

void WriterSelection::Finish() {
  if (!locked_) return;
  const Reference<css::text::XTextViewCursorSupplier> views(model_->getCurrentController(),
                                                            UNO_QUERY);
  if (views.is() && lastTyped_.is()) views->getViewCursor()->gotoRange(lastTyped_->getEnd(), false);
  // Another connection may have unlocked them meanwhile, taking them for a dead one's leftovers.
  if (model_->hasControllersLocked()) model_->unlockControllers();
  locked_ = false;
}

bool WriterSelection::Unlock() noexcept {
  if (!locked_) return true;
  if (!connectionLive_ || !connectionLive_()) return false;
  try {
    if (model_->hasControllersLocked()) model_->unlockControllers();
    locked_ = false;
  } catch (...) {
    // The office went away meanwhile: the lock is left to the next connection.
  }
  return !locked_;
}

const Reference<css::text::XText>& WriterSelection::CellText(StopSegment& segment) {
  if (!segment.cellText.is()) {
    segment.cellText.set(segment.table->getCellByName(segment.cellName), UNO_QUERY_THROW);
  }
  return segment.cellText;
}

int WriterSelection::ParagraphsOf(StopSegment& segment) {
  if (!segment.paragraphs) {
    const Reference<css::text::XParagraphCursor> cursor(CellText(segment)->createTextCursor(),
                                                        UNO_QUERY_THROW);
    int count = 1;
    while (cursor->gotoNextParagraph(false)) ++count;
    segment.paragraphs = count;
  }
  return *segment.paragraphs;
}

void WriterSelection::ToTop() {
  segment_ = 0;
  paragraph_ = 0;
  Moved();
}

void WriterSelection::DownParagraphs(std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    if (paragraph_ + 1 < ParagraphsOf(segments_[segment_])) {
      ++paragraph_;
    } else if (segment_ + 1 < segments_.size()) {
      ++segment_;
      paragraph_ = 0;
    } else {
      break;  // the last paragraph of the document: Word stays there
    }
  }
  Moved();
}

void WriterSelection::RightCells(std::int32_t count) {
  const StopSegment& here = segments_[segment_];
  if (!here.InTable() || count <= 0) return;
  const int target = std::min(here.cellIndex + count, here.cellCount - 1);
  segment_ += static_cast<std::size_t>(target - here.cellIndex);
  paragraph_ = 0;
  Moved();
}

const Reference<css::text::XTextPortionAppend>& WriterSelection::Appender() {
  StopSegment& segment = segments_[segment_];
  if (!segment.InTable()) return bodyAppend_;
  if (!segment.cellAppend.is()) segment.cellAppend.set(CellText(segment), UNO_QUERY_THROW);
  return segment.cellAppend;
}

Reference<css::text::XTextRange> WriterSelection::InsertionPoint() {
  if (typed_.is()) return typed_->getEnd();
  StopSegment& segment = segments_[segment_];
  if (!segment.InTable()) return segment.paragraph->getStart();
  if (paragraph_ == 0) return CellText(segment)->getStart();
  const Reference<css::text::XParagraphCursor> cursor(CellText(segment)->createTextCursor(),
                                                      UNO_QUERY_THROW);
  for (int i = 0; i < paragraph_; ++i) cursor->gotoNextParagraph(false);
  return Reference<css::text::XTextRange>(cursor.get());
}

void WriterSelection::Type(std::string_view text, std::optional<float> size) {
  css::uno::Sequence<css::beans::PropertyValue> attributes(size ? 2 : 0);
  if (size) {
    attributes.getArray()[0].Name = "CharHeight";
    attributes.getArray()[0].Value <<= *size;
    attributes.getArray()[1].Name = "CharHeightAsian";
    attributes.getArray()[1].Value <<= *size;
  }
  const Reference<css::text::XTextRange> at = InsertionPoint();
  typed_ = Appender()->insertTextPortion(ToOUString(text), attributes, at);
  lastTyped_ = typed_;
}

}  // namespace kalkora::uno
