#include "ui/qt/page_preview.hpp"

#include <QPainter>
#include <algorithm>
#include <utility>

#include "paint/qt/page_painter.hpp"

namespace kalkora::qt {
namespace {

constexpr int kMargin = 8;  // pixels between the paper and the widget's edge

}  // namespace

PagePreview::PagePreview(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMinimumSize(kPreferredSize / 2);
}

void PagePreview::ShowPage(PageLayout page) {
  page_ = std::move(page);
  message_.clear();
  update();
}

void PagePreview::ShowMessage(const QString& message) {
  page_.reset();
  message_ = message;
  update();
}

QSize PagePreview::sizeHint() const { return kPreferredSize; }

void PagePreview::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window).darker(112));
  if (page_) {
    PaintPreview(painter, rect(), *page_);
    return;
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect().adjusted(2 * kMargin, 2 * kMargin, -2 * kMargin, -2 * kMargin),
                   Qt::AlignCenter | Qt::TextWordWrap, message_);
}

void PaintPreview(QPainter& painter, const QRect& area, const PageLayout& page) {
  if (page.paperWidth <= 0 || page.paperHeight <= 0) return;
  const QRectF room = QRectF(area).adjusted(kMargin, kMargin, -kMargin, -kMargin);
  const double scale = std::min(room.width() / page.paperWidth, room.height() / page.paperHeight);
  if (scale <= 0) return;
  const QSizeF paper(page.paperWidth * scale, page.paperHeight * scale);
  const QRectF sheet(room.center() - QPointF(paper.width() / 2, paper.height() / 2), paper);
  painter.save();
  painter.fillRect(sheet, Qt::white);
  painter.setPen(QPen(Qt::darkGray, 1));
  painter.drawRect(sheet.adjusted(-0.5, -0.5, 0.5, 0.5));
  painter.translate(sheet.topLeft());
  painter.scale(scale, scale);
  PaintPage(painter, page);
  painter.restore();
}

}  // namespace kalkora::qt
