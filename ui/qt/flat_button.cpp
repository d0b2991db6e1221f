#include "ui/qt/flat_button.hpp"

#include <QPainter>
#include <algorithm>

namespace kalkora::qt {

FlatButton::FlatButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setFlat(true);
  setAutoDefault(false);
  setDefault(false);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_Hover);
}

QColor HoverFace(const QColor& face) {
  const auto raise = [](int channel) { return std::min(channel + 19, 255); };
  return QColor(raise(face.red()), raise(face.green()), raise(face.blue()));
}

void FlatButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  QColor face = colours.color(QPalette::Button);
  if (isDown()) {
    face = face.darker(110);
  } else if (underMouse() && isEnabled()) {
    face = HoverFace(face);
  }
  painter.fillRect(rect(), face);
  painter.setPen(colours.color(QPalette::Shadow));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(
      colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.setFont(font());
  painter.drawText(rect().translated(isDown() ? QPoint(1, 1) : QPoint()), Qt::AlignCenter, text());
}

}  // namespace kalkora::qt
