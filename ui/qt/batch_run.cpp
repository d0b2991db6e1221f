#include "ui/qt/batch_run.hpp"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QUrl>

#include "core/app/batch_command.hpp"
#include "core/app/batch_messages.hpp"
#include "core/app/generate_command.hpp"
#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/sheet.hpp"
#include "core/generate/validate_settings.hpp"
#include "ui/qt/background_batch.hpp"
#include "ui/qt/batch_dialog.hpp"
#include "ui/qt/batch_file.hpp"
#include "ui/qt/qt_message_box.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui/qt/replace_question.hpp"

namespace kalkora::qt {
namespace {

// The settings a class set is made from, in words: "加法运算题，每份 18 题，1 到 100".
QString SettingsSummary(Controls& controls) {
  const std::optional<ExerciseKind> kind = FirstTickedKind(controls);
  QString summary = QStringLiteral("%1，每份 %2 题，%3 到 %4")
                        .arg(kind ? ToQString(KindInfo(*kind).headingWord) : QString(),
                             QString::number(ChosenSheetSize(controls)),
                             ToQString(controls.ReadText(form::kRangeFrom)),
                             ToQString(controls.ReadText(form::kRangeTo)));
  if (IsTicked(controls, form::kDecimalsOn)) {
    summary += QStringLiteral("，%1 位小数").arg(ToQString(controls.ReadText(form::kDecimalPlaces)));
  }
  return summary;
}

int RandomSheetCode() {
  return QRandomGenerator::global()->bounded(kFirstSheetCode, kLastSheetCode + 1);
}

BatchResult WriteWithProgress(QWidget& window, BatchRunParts& parts, const BatchChoice& choice,
                              const LocalDateTime& date) {
  const BatchRequest request{choice.sheets, choice.firstCode, choice.answers, date,
                             ToUtf8(choice.path)};
  return WriteInBackground(window, parts.controls, request, parts.converter, RandomSheetCode);
}

// Offers the set as a Word document when no office can make the PDF; true when taken.
bool TakesDocxInstead(QWidget& window, const UserMessage& noConverter) {
  QMessageBox offer(QMessageBox::Warning, ToQString(noConverter.caption),
                    DisplayText(noConverter.text) + QStringLiteral("\n\n要改为生成 Word 文档吗？"),
                    QMessageBox::Yes | QMessageBox::No, &window);
  offer.setTextFormat(Qt::PlainText);
  offer.button(QMessageBox::Yes)->setText(QStringLiteral("生成 .docx"));
  offer.button(QMessageBox::No)->setText(QStringLiteral("取消"));
  return offer.exec() == QMessageBox::Yes;
}

void OpenWrittenFiles(const BatchResult& result, MessageBox& messages) {
  for (const std::string& file : result.files) {
    const QString path = ToQString(file);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
      messages.Show({ToUtf8(QStringLiteral("文件已保存为 %1，但没有找到打开它的程序。")
                                .arg(QDir::toNativeSeparators(path))),
                     kBatchCaption});
    }
  }
}

}  // namespace

void RunBatchFromWindow(QWidget& window, BatchRunParts parts) {
  // The dialog is modal, so the settings cannot change while it is open: refusing them before
  // it opens spares the user filling it in for nothing.
  if (const std::optional<UserMessage> refusal = ValidateSettings(parts.controls)) {
    parts.messages.Show(*refusal);
    return;
  }
  const LocalDateTime today = parts.clock.Now();
  BatchDialog dialog(SettingsSummary(parts.controls), DocumentsFolder(), today, parts.messages,
                     &window);
  if (dialog.exec() != QDialog::Accepted) return;
  BatchChoice choice = dialog.choice();

  BatchResult result = WriteWithProgress(window, parts, choice, today);
  if (result.outcome == BatchOutcome::NoConverter && TakesDocxInstead(window, result.message)) {
    choice.path = WithFormatExtension(choice.path, DocumentFormat::Docx);
    if (!MayReplace(BatchFiles(choice.path, choice.answers), &window)) return;
    result = WriteWithProgress(window, parts, choice, today);
  }
  if (const auto failure = ReportBatchResult(result, choice.sheets, parts.controls)) {
    parts.messages.Show(*failure);
  }
  if (result.outcome == BatchOutcome::Written) OpenWrittenFiles(result, parts.messages);
}

}  // namespace kalkora::qt
