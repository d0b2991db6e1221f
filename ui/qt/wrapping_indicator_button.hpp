#pragma once

#include <QCheckBox>
#include <QRadioButton>

namespace kalkora::qt {

// Check boxes and radio buttons whose caption stands right after the indicator and wraps onto
// further lines when the box is narrow, as the longer kind captions do in their small boxes
// ("加减乘除混合" takes three lines of two characters). The lines are packed closer when the
// box is too low for the font's own line spacing. The whole box answers clicks.
class WrappingCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& position) const override;
};

class WrappingRadioButton : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& position) const override;
};

}  // namespace kalkora::qt
