#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <optional>

#include "core/app/batch_command.hpp"
#include "core/app/batch_messages.hpp"
#include "core/app/class_set_flow.hpp"
#include "core/base/clock.hpp"
#include "core/base/message_box.hpp"

namespace kalkora::qt {

// The object names of the dialog's fields, by which tests find them.
namespace batch_field {
inline constexpr const char* kSheets = "sheets";
inline constexpr const char* kAnswers = "answers";
inline constexpr const char* kFormat = "format";
inline constexpr const char* kFile = "file";
inline constexpr const char* kBrowse = "browse";
inline constexpr const char* kFirstCode = "firstCode";
}  // namespace batch_field

inline const UserMessage kNoBatchFile{"请选择要保存的文件。", kBatchCaption};

// 批量生成: how many sheets, with or without their key, which format and file, and an optional
// first code. OK checks the code and the file and asks before an existing file is replaced;
// a refusal keeps the dialog open with what the user typed.
class BatchDialog : public QDialog {
 public:
  // `settings` describes the form's settings the set is made from; a relative file name is
  // taken inside `folder`, where the default file lies, and a folder gets the default name.
  BatchDialog(const QString& settings, const QString& folder, const LocalDateTime& date,
              MessageBox& messages, QWidget* parent);

  BatchChoice choice() const;
  void accept() override;

 private:
  DocumentFormat Format() const;
  QString AbsolutePath() const;
  void FollowFormat();
  void Browse();

  QString folder_;
  QString defaultName_;
  MessageBox& messages_;
  QSpinBox* sheets_;
  QCheckBox* answers_;
  QComboBox* format_;
  QLineEdit* file_;
  QLineEdit* firstCode_;
};

}  // namespace kalkora::qt
