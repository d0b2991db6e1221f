#include "ui/qt/about_box.hpp"

#include <QMessageBox>

#include "core/app/form_table.hpp"
#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {

QString ProgramVersion() { return QStringLiteral(KALKORA_VERSION); }

void ShowAboutBox(QWidget* window) {
  const QString address = ToQString(MainForm().hyperlinkAddress).toHtmlEscaped();
  QMessageBox box(window);
  box.setWindowTitle(QStringLiteral("关于 Kalkora"));
  box.setTextFormat(Qt::RichText);
  box.setText(QStringLiteral("<p><b>Kalkora</b> %1</p><p>口算题卡</p><p><a href=\"%2\">%2</a></p>")
                  .arg(ProgramVersion(), address));
  if (window) box.setIconPixmap(window->windowIcon().pixmap(48, 48));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

}  // namespace kalkora::qt
