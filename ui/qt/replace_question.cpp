#include "ui/qt/replace_question.hpp"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "core/app/batch_messages.hpp"
#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {

bool MayReplace(const QStringList& files, QWidget* parent) {
  std::vector<std::string> existing;
  for (const QString& file : files) {
    if (QFileInfo::exists(file)) existing.push_back(ToUtf8(QDir::toNativeSeparators(file)));
  }
  if (existing.empty()) return true;
  const UserMessage message = ReplaceMessage(existing);
  QMessageBox question(QMessageBox::Question, ToQString(message.caption), ToQString(message.text),
                       QMessageBox::Yes | QMessageBox::No, parent);
  question.setTextFormat(Qt::PlainText);
  question.button(QMessageBox::Yes)->setText(QStringLiteral("替换"));
  question.button(QMessageBox::No)->setText(QStringLiteral("不替换"));
  question.setDefaultButton(QMessageBox::No);
  return question.exec() == QMessageBox::Yes;
}

}  // namespace kalkora::qt
