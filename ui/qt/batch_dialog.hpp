#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <optional>

#include "core/app/batch_command.hpp"
#include "core/app/batch_memory.hpp"
#include "core/app/batch_messages.hpp"
#include "core/app/class_set_flow.hpp"
#include "core/base/clock.hpp"
#include "core/base/message_box.hpp"
#include "ui/qt/page_preview.hpp"
#include "ui/qt/rule_group.hpp"

namespace kalkora::qt {

// The object names of the dialog's fields, by which tests find them.
namespace batch_field {
inline constexpr const char* kSettings = "settings";  // the settings of the set, in words
inline constexpr const char* kSheets = "sheets";
inline constexpr const char* kMostSheets = "mostSheets";  // the limit beside it
inline constexpr const char* kAnswers = "answers";
inline constexpr const char* kFormat = "format";
inline constexpr const char* kFile = "file";
inline constexpr const char* kBrowse = "browse";
inline constexpr const char* kFirstCode = "firstCode";
inline constexpr const char* kTitle = "title";
inline constexpr const char* kNameLine = "nameLine";
inline constexpr const char* kPreview = "preview";
inline constexpr const char* kPreviewKey = "previewKey";
inline constexpr const char* kRefresh = "refresh";  // the timer that redraws the preview
}  // namespace batch_field

inline const UserMessage kNoBatchFile{"请选择要保存的文件。", kBatchCaption};

// 批量生成: how many sheets (at most 500, said beside the box), with or without their key, which
// format and file, an optional first code, the 题目要求 group, a title and the name line.
// Beside them the first sheet, or with 预览答案 its key, is previewed as 生成 would write it,
// redrawn shortly after every change; what the core refuses is shown there instead, and 生成
// stays disabled while the rules are refused. OK checks the count, the code and the file and
// asks before an existing file is replaced; a refusal keeps the dialog open with what the user
// typed. Then `submit` makes the set; the dialog closes or, when it is told to, stays open
// with the failure shown over it. It opens with the choices of its last OK: count, key,
// format, code, and the folder while it still exists (the file there gets the day's default
// name).
class BatchDialog : public QDialog {
 public:
  // `input.form` is described as the settings the set is made from; a relative file name is
  // taken inside `folder` (the remembered one when it is there), where the default file lies,
  // and a folder gets the default name. OK stores the choices in the user's settings.
  BatchDialog(const BatchDialogInput& input, const QString& folder, MessageBox& messages,
              BatchSubmit submit, QWidget* parent);

  // What the fields say; rules that the fields do not give (a field that is not a number) are
  // left unset.
  BatchChoice choice() const;
  void accept() override;

 private:
  DocumentFormat Format() const;
  BatchDialog(const BatchDialogInput& input, const BatchMemory& memory, const QString& folder,
              MessageBox& messages, BatchSubmit submit, QWidget* parent);
  QString AbsolutePath() const;
  void FollowFormat();
  void Browse();
  void ScheduleRefresh();
  // Reads the rules, enables 生成 when they can be met and shows the preview or the refusal.
  void Refresh();

  BatchDialogInput input_;
  QString folder_;
  QString defaultName_;
  MessageBox& messages_;
  BatchSubmit submit_;
  QSpinBox* sheets_;
  QCheckBox* answers_;
  QComboBox* format_;
  QLineEdit* file_;
  QLineEdit* firstCode_;
  QLabel* summary_;
  RuleGroup* rules_;
  QLineEdit* title_;
  QCheckBox* nameLine_;
  PagePreview* preview_;
  QCheckBox* previewKey_;
  QPushButton* generate_;
  QTimer* refresh_;
  std::optional<UserMessage> ruleRefusal_;  // why the rules cannot be used, as last refreshed
};

}  // namespace kalkora::qt
