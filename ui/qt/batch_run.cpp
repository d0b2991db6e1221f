#include "ui/qt/batch_run.hpp"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "ui/qt/background_batch.hpp"
#include "ui/qt/batch_dialog.hpp"
#include "ui/qt/batch_file.hpp"
#include "ui/qt/qt_message_box.hpp"
#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {

void QtClassSetWindow::AskForBatch(const BatchDialogInput& input, const BatchSubmit& submit) {
  BatchDialog dialog(input, DocumentsFolder(), messages_, submit, &window_);
  dialog.exec();
}

BatchResult QtClassSetWindow::WriteWithProgress(
    int sheets, bool /*toPdf: every page is counted alike*/,
    const std::function<BatchResult(const BatchProgress&)>& write) {
  return WriteInBackground(window_, sheets, write);
}

bool QtClassSetWindow::Ask(const Question& question) {
  QMessageBox box(QMessageBox::Question, ToQString(question.message.caption),
                  DisplayText(question.message.text), QMessageBox::Yes | QMessageBox::No, &window_);
  box.setTextFormat(Qt::PlainText);
  box.button(QMessageBox::Yes)->setText(ToQString(question.yes));
  box.button(QMessageBox::No)->setText(ToQString(question.no));
  box.setDefaultButton(question.defaultNo ? QMessageBox::No : QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

bool QtClassSetWindow::OpenFile(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

void QtClassSetWindow::ShowMessage(const UserMessage& message) { messages_.Show(message); }

}  // namespace kalkora::qt
