#include "ui/qt/start_up.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <cfenv>

#include "core/app/form_table.hpp"
#include "ui/qt/qt_message_box.hpp"
#include "ui/qt/qt_text.hpp"

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
