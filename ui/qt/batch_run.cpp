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

std::optional<BatchChoice> QtClassSetWindow::AskForBatch(const std::string& settingsSummary,
                                                         const LocalDateTime& today) {
  BatchDialog dialog(ToQString(settingsSummary), DocumentsFolder(), today, messages_, &window_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

BatchResult QtClassSetWindow::WriteWithProgress(
    int sheets, bool toPdf, const std::function<BatchResult(const BatchProgress&)>& write) {
  return WriteInBackground(window_, sheets, toPdf, write);
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
