#include "app/qt/start_up.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <cfenv>

#include "app/qt/qt_message_box.hpp"
#include "app/qt/qt_text.hpp"

namespace kalkora::qt {

void PrepareProcess() {
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  std::fesetenv(FE_DFL_ENV);
}

void ShowWindowNotCreated() {
  QMessageBox box(QMessageBox::Critical, ToQString(kWindowNotCreated.caption),
                  DisplayText(kWindowNotCreated.text), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace kalkora::qt
