#include "ui/qt/batch_dialog.hpp"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <variant>

#include "core/app/batch_preview.hpp"
#include "core/app/rule_fields.hpp"
#include "core/generate/sheet.hpp"
#include "core/word/page_layout.hpp"
#include "ui/qt/batch_file.hpp"
#include "ui/qt/batch_memory.hpp"
#include "ui/qt/named.hpp"
#include "ui/qt/qt_message_box.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui/qt/replace_question.hpp"
#include "ui/qt/sheet_count_box.hpp"

namespace kalkora::qt {
namespace {

constexpr int kWidestFileBox = 520;  // pixels; a longer default path scrolls in its box
// After a change the preview waits this long for the next one, so that typing a number
// redraws it once.
constexpr int kRefreshDelayMs = 30;

// The remembered folder while it is still there, else the given one.
QString FolderToUse(const BatchMemory& memory, const QString& folder) {
  const QString remembered = ToQString(memory.folder);
  return !remembered.isEmpty() && QFileInfo(remembered).isDir() ? remembered : folder;
}

}  // namespace

BatchDialog::BatchDialog(const BatchDialogInput& input, const QString& folder, MessageBox& messages,
                         BatchSubmit submit, QWidget* parent)
    : BatchDialog(input, LoadBatchMemory(), folder, messages, std::move(submit), parent) {}

BatchDialog::BatchDialog(const BatchDialogInput& input, const BatchMemory& memory,
                         const QString& folder, MessageBox& messages, BatchSubmit submit,
                         QWidget* parent)
    : QDialog(parent),
      input_(input),
      folder_(FolderToUse(memory, folder)),
      defaultName_(QFileInfo(DefaultBatchPath(folder_, input.today)).fileName()),
      messages_(messages),
      submit_(std::move(submit)),
      sheets_(Named(new SheetCountBox(kMostSheets, this), batch_field::kSheets)),
      answers_(Named(new QCheckBox(QStringLiteral("同时生成答案"), this), batch_field::kAnswers)),
      format_(Named(new QComboBox(this), batch_field::kFormat)),
      file_(Named(
          new QLineEdit(WithFormatExtension(DefaultBatchPath(folder_, input.today), memory.format),
                        this),
          batch_field::kFile)),
      firstCode_(Named(new QLineEdit(this), batch_field::kFirstCode)),
      summary_(
          Named(new QLabel(ToQString(SettingsSummary(input.form)), this), batch_field::kSettings)),
      rules_(new RuleGroup([this] { ScheduleRefresh(); }, this)),
      title_(Named(new QLineEdit(this), batch_field::kTitle)),
      nameLine_(Named(new QCheckBox(QStringLiteral("班级姓名栏"), this), batch_field::kNameLine)),
      preview_(Named(new PagePreview(this), batch_field::kPreview)),
      previewKey_(Named(new QCheckBox(QStringLiteral("预览答案"), this), batch_field::kPreviewKey)),
      generate_(nullptr),
      refresh_(Named(new QTimer(this), batch_field::kRefresh)) {
  setWindowTitle(QString::fromUtf8(kBatchCaption));
  sheets_->setValue(memory.sheets);
  answers_->setChecked(memory.answers);
  format_->addItem(QStringLiteral("Word 文档 (.docx)"), static_cast<int>(DocumentFormat::Docx));
  format_->addItem(QStringLiteral("PDF (.pdf)"), static_cast<int>(DocumentFormat::Pdf));
  format_->setCurrentIndex(format_->findData(static_cast<int>(memory.format)));
  if (memory.firstCode) firstCode_->setText(QString::number(*memory.firstCode));
  rules_->setFields(memory.rules);
  title_->setText(ToQString(memory.title));
  nameLine_->setChecked(memory.nameLine);
  file_->setMinimumWidth(
      std::min(file_->fontMetrics().horizontalAdvance(file_->text()) + 16, kWidestFileBox));
  firstCode_->setPlaceholderText(QStringLiteral("留空则随机"));
  firstCode_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), this));

  auto* browse = Named(new QPushButton(QStringLiteral("浏览…"), this), batch_field::kBrowse);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browse);

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("题型设置："), summary_);
  auto* sheetsRow = new QHBoxLayout;
  sheetsRow->addWidget(sheets_);
  sheetsRow->addWidget(Named(new QLabel(QStringLiteral("最多 %1 份").arg(kMostSheets), this),
                             batch_field::kMostSheets));
  sheetsRow->addStretch(1);
  fields->addRow(QStringLiteral("份数："), sheetsRow);
  fields->addRow(QString(), answers_);
  fields->addRow(QStringLiteral("格式："), format_);
  fields->addRow(QStringLiteral("文件："), fileRow);
  fields->addRow(QStringLiteral("起始卷号："), firstCode_);
  fields->addRow(rules_);
  fields->addRow(QStringLiteral("标题："), title_);
  fields->addRow(QString(), nameLine_);

  title_->setPlaceholderText(QStringLiteral("数学作业练习"));
  title_->setToolTip(QStringLiteral("题卡和答案的标题，代替“数学作业练习”；一行须放得下，"
                                    "最多 %1 个汉字（两个字母或数字算一个汉字）")
                         .arg(TitleLimit()));
  nameLine_->setToolTip(QStringLiteral("在标题行下面印“班级＿＿＿＿　姓名＿＿＿＿”"));

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(preview_, 1);
  right->addWidget(previewKey_);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  generate_ = buttons->button(QDialogButtonBox::Ok);
  generate_->setText(QStringLiteral("生成"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(buttons);
  // Its preferred size, also on a screen where a window is otherwise kept to two thirds of
  // its width (the preview would get only its smallest size).
  resize(sizeHint());

  connect(format_, &QComboBox::currentIndexChanged, this, &BatchDialog::FollowFormat);
  connect(browse, &QPushButton::clicked, this, &BatchDialog::Browse);
  connect(buttons, &QDialogButtonBox::accepted, this, &BatchDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &BatchDialog::reject);

  refresh_->setSingleShot(true);
  refresh_->setInterval(kRefreshDelayMs);
  connect(refresh_, &QTimer::timeout, this, &BatchDialog::Refresh);
  connect(answers_, &QCheckBox::toggled, this, &BatchDialog::ScheduleRefresh);
  connect(firstCode_, &QLineEdit::textChanged, this, &BatchDialog::ScheduleRefresh);
  connect(title_, &QLineEdit::textChanged, this, &BatchDialog::ScheduleRefresh);
  connect(nameLine_, &QCheckBox::toggled, this, &BatchDialog::ScheduleRefresh);
  connect(previewKey_, &QCheckBox::toggled, this, &BatchDialog::ScheduleRefresh);
  Refresh();  // the dialog opens with its preview
}

DocumentFormat BatchDialog::Format() const {
  return static_cast<DocumentFormat>(format_->currentData().toInt());
}

QString BatchDialog::AbsolutePath() const {
  const QString typed = file_->text().trimmed();
  if (typed.isEmpty()) return typed;
  const QString path = QDir::cleanPath(QDir(folder_).absoluteFilePath(typed));
  // A folder gets the default file name inside it.
  if (QFileInfo(path).isDir())
    return QDir(path).filePath(WithFormatExtension(defaultName_, Format()));
  return WithFormatExtension(path, Format());
}

BatchChoice BatchDialog::choice() const {
  BatchChoice chosen{sheets_->value(), answers_->isChecked(), ToUtf8(AbsolutePath()), std::nullopt};
  if (!firstCode_->text().isEmpty()) chosen.firstCode = firstCode_->text().toInt();
  const std::variant<SheetRules, UserMessage> rules = ReadRuleFields(rules_->fields());
  if (const auto* read = std::get_if<SheetRules>(&rules)) chosen.rules = *read;
  chosen.title = ToUtf8(title_->text().trimmed());
  chosen.nameLine = nameLine_->isChecked();
  return chosen;
}

void BatchDialog::ScheduleRefresh() { refresh_->start(); }

void BatchDialog::Refresh() {
  refresh_->stop();
  previewKey_->setEnabled(answers_->isChecked());
  const std::variant<SheetRules, UserMessage> rules = ReadRuleFields(rules_->fields());
  if (const auto* unreadable = std::get_if<UserMessage>(&rules)) {
    ruleRefusal_ = *unreadable;
  } else {
    const SheetSettings settings = WithRules(input_.form, std::get<SheetRules>(rules));
    summary_->setText(ToQString(SettingsSummary(settings)));
    ruleRefusal_ = RulesConflict(settings);
  }
  generate_->setEnabled(!ruleRefusal_);
  if (ruleRefusal_) {
    preview_->ShowMessage(DisplayText(ruleRefusal_->text));
    return;
  }
  BatchPreview shown =
      PreviewBatch(input_, choice(), answers_->isChecked() && previewKey_->isChecked());
  if (shown.page) {
    preview_->ShowPage(std::move(*shown.page));
  } else {
    preview_->ShowMessage(DisplayText(shown.refusal.text));
  }
}

void BatchDialog::FollowFormat() { file_->setText(WithFormatExtension(file_->text(), Format())); }

void BatchDialog::Browse() {
  const QString filter = Format() == DocumentFormat::Pdf ? QStringLiteral("PDF (*.pdf)")
                                                         : QStringLiteral("Word 文档 (*.docx)");
  // The replace question comes on OK, for the key's file too.
  const QString chosen =
      QFileDialog::getSaveFileName(this, QStringLiteral("保存题卡"), AbsolutePath(), filter,
                                   nullptr, QFileDialog::DontConfirmOverwrite);
  if (!chosen.isEmpty()) file_->setText(WithFormatExtension(chosen, Format()));
}

void BatchDialog::accept() {
  sheets_->interpretText();             // a number still being typed counts
  if (refresh_->isActive()) Refresh();  // rules changed a moment ago count
  if (ruleRefusal_) {
    messages_.Show(*ruleRefusal_);
    return;
  }
  const BatchChoice chosen = choice();
  if (chosen.sheets > kMostSheets) {
    messages_.Show(SheetCountMessage());
    sheets_->setFocus();
    sheets_->selectAll();
    return;
  }
  if (chosen.path.empty()) {
    messages_.Show(kNoBatchFile);
    file_->setFocus();
    return;
  }
  if (chosen.firstCode && !IsSheetCode(*chosen.firstCode)) {
    messages_.Show(SheetCodeMessage());
    firstCode_->setFocus();
    return;
  }
  if (!MayReplace(BatchFiles(ToQString(chosen.path), chosen.answers), this)) return;
  file_->setText(ToQString(chosen.path));
  SaveBatchMemory({chosen.sheets, chosen.answers, Format(),
                   ToUtf8(QFileInfo(ToQString(chosen.path)).absolutePath()), chosen.firstCode,
                   rules_->fields(), chosen.title, chosen.nameLine});
  const BatchSubmission submitted = submit_(chosen);
  if (submitted.error) messages_.Show(*submitted.error);
  if (submitted.close) QDialog::accept();
}

}  // namespace kalkora::qt
