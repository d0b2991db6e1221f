#pragma once

#include <QColor>
#include <QPushButton>

namespace kalkora::qt {

// The generate button's look: a flat face in the system's button colour framed by one line,
// a lighter face while the mouse is over it, no focus rectangle, the hand cursor. It is never
// the default button, so the Enter key does not press it.
class FlatButton : public QPushButton {
 public:
  FlatButton(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The face under the mouse: each channel raised by 19, as RGB(236, 233, 216) becomes
// RGB(255, 252, 235).
QColor HoverFace(const QColor& face);

}  // namespace kalkora::qt
