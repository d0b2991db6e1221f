#include "ui/qt/replace_question.hpp"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "core/app/batch_messages.hpp"

namespace kalkora::qt {

bool MayReplace(const QStringList& files, QWidget* parent) {
  QStringList existing;
  for (const QString& file : files) {
    if (QFileInfo::exists(file)) existing.push_back(QDir::toNativeSeparators(file));
  }
  if (existing.isEmpty()) return true;
  QMessageBox question(QMessageBox::Question, QString::fromUtf8(kBatchCaption),
                       QStringLiteral("下面的文件已经存在：\n%1\n\n要替换吗？")
                           .arg(existing.join(QLatin1Char('\n'))),
                       QMessageBox::Yes | QMessageBox::No, parent);
  question.setTextFormat(Qt::PlainText);
  question.button(QMessageBox::Yes)->setText(QStringLiteral("替换"));
  question.button(QMessageBox::No)->setText(QStringLiteral("不替换"));
  question.setDefaultButton(QMessageBox::No);
  return question.exec() == QMessageBox::Yes;
}

}  // namespace kalkora::qt
