#include "ui/qt/status_panels.hpp"

#include <QLabel>

#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {

QString PanelName(int index) { return QStringLiteral("panel%1").arg(index); }

QStatusBar* MakeStatusBar(std::span<const StatusPanel> panels, QWidget* parent) {
  auto* bar = new QStatusBar(parent);
  bar->setSizeGripEnabled(false);
  int index = 0;
  for (const StatusPanel& panel : panels) {
    auto* label = new QLabel(ToQString(panel.initialText), bar);
    label->setObjectName(PanelName(index++));
    label->setFixedWidth(panel.width);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    bar->addWidget(label);
  }
  return bar;
}

}  // namespace kalkora::qt
