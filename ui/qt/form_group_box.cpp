#include "ui/qt/form_group_box.hpp"

#include <QPainter>

namespace kalkora::qt {
namespace {

constexpr int kCaptionLeft = 7;  // as the native box insets its caption

}  // namespace

void FormGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Etched: a shadow line with a light line beside it, the light one inside at the top and
  // left and outside at the bottom and right.
  const int top = fontMetrics().height() / 2 - 1;
  const QRect frame(0, top, width() - 2, height() - top - 2);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(frame);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.translated(1, 1));
  if (title().isEmpty()) return;
  const QRect caption(kCaptionLeft, 0, fontMetrics().horizontalAdvance(title()),
                      fontMetrics().height());
  painter.fillRect(caption.adjusted(-1, 0, 1, 0), palette().window());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
}

}  // namespace kalkora::qt
