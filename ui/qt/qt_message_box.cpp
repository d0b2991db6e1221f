#include "ui/qt/qt_message_box.hpp"

#include <QApplication>
#include <QMessageBox>

#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {

QString DisplayText(std::string_view text) {
  return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void QtMessageBox::Show(const UserMessage& message) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(message.caption), DisplayText(message.text),
                  QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  const bool busy = QApplication::overrideCursor() != nullptr;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  if (busy) QApplication::restoreOverrideCursor();
}

}  // namespace kalkora::qt
