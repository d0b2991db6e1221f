#include "ui/qt/about_box.hpp"

#include <QMessageBox>

#include "core/app/help_page.hpp"
#include "ui/qt/help_page.hpp"
#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {

QString ProgramVersion() { return QStringLiteral(KALKORA_VERSION); }

void ShowAboutBox(QWidget* window) {
  const QUrl page = HelpPageUrl();
  const QString help = page.isEmpty() ? ToQString(kHelpPageMissing).toHtmlEscaped()
                                      : QStringLiteral("<a href=\"%1\">使用帮助</a>")
                                            .arg(page.toString(QUrl::FullyEncoded).toHtmlEscaped());
  QMessageBox box(window);
  box.setWindowTitle(QStringLiteral("关于 Kalkora"));
  box.setTextFormat(Qt::RichText);
  box.setText(QStringLiteral("<p><b>Kalkora</b> %1</p><p>口算题卡</p><p>%2</p>")
                  .arg(ProgramVersion(), help));
  if (window) box.setIconPixmap(window->windowIcon().pixmap(48, 48));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

}  // namespace kalkora::qt
