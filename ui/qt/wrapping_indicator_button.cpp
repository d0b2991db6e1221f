#include "ui/qt/wrapping_indicator_button.hpp"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>
#include <algorithm>
#include <vector>

namespace kalkora::qt {
namespace {

// Pixels between the indicator and the caption, as on the Windows controls.
constexpr int kCaptionGap = 4;

struct IndicatorLook {
  QStyle::PrimitiveElement indicator;
  QStyle::PixelMetric width;
  QStyle::PixelMetric height;
};

// The caption broken into lines that fit `width`; Chinese text may break between any two
// characters.
std::vector<QTextLine> LayOut(QTextLayout& layout, qreal width) {
  std::vector<QTextLine> lines;
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    lines.push_back(line);
  }
  layout.endLayout();
  return lines;
}

void Paint(QAbstractButton& button, QStyleOptionButton option, const IndicatorLook& look) {
  QStylePainter painter(&button);
  QStyle* style = button.style();
  const int indicatorWidth = style->pixelMetric(look.width, &option, &button);
  const int indicatorHeight = style->pixelMetric(look.height, &option, &button);

  QStyleOptionButton indicator = option;
  indicator.rect = {0, (button.height() - indicatorHeight) / 2, indicatorWidth, indicatorHeight};
  painter.drawPrimitive(look.indicator, indicator);

  const QRect captionArea = button.rect().adjusted(indicatorWidth + kCaptionGap, 0, 0, 0);
  QTextLayout layout(button.text(), button.font());
  const QFontMetricsF metrics(button.font());
  std::vector<QTextLine> lines = LayOut(layout, captionArea.width());
  if (lines.empty()) return;
  const auto count = static_cast<qreal>(lines.size());
  const qreal step = std::min(metrics.lineSpacing(), captionArea.height() / count);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].setPosition({0, step * static_cast<qreal>(i)});
  }
  const qreal blockHeight = step * (count - 1) + metrics.height();
  const QPointF origin(captionArea.left(),
                       captionArea.top() + (captionArea.height() - blockHeight) / 2);
  painter.setPen(button.palette().color(button.isEnabled() ? QPalette::Active : QPalette::Disabled,
                                        QPalette::WindowText));
  for (const QTextLine& line : lines) line.draw(&painter, origin);

  if (option.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.initFrom(&button);
    focus.rect = QRectF(origin, QSizeF(layout.boundingRect().width(), blockHeight))
                     .toAlignedRect()
                     .adjusted(-1, 0, 1, 0)
                     .intersected(button.rect());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace

void WrappingCheckBox::paintEvent(QPaintEvent*) {
  QStyleOptionButton option;
  initStyleOption(&option);
  Paint(*this, option,
        {QStyle::PE_IndicatorCheckBox, QStyle::PM_IndicatorWidth, QStyle::PM_IndicatorHeight});
}

bool WrappingCheckBox::hitButton(const QPoint& position) const { return rect().contains(position); }

void WrappingRadioButton::paintEvent(QPaintEvent*) {
  QStyleOptionButton option;
  initStyleOption(&option);
  Paint(*this, option,
        {QStyle::PE_IndicatorRadioButton, QStyle::PM_ExclusiveIndicatorWidth,
         QStyle::PM_ExclusiveIndicatorHeight});
}

bool WrappingRadioButton::hitButton(const QPoint& position) const {
  return rect().contains(position);
}

}  // namespace kalkora::qt
