#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <functional>

#include "core/app/rule_fields.hpp"
#include "ui/qt/share_choice.hpp"

namespace kalkora::qt {

// The object names of the 题目要求 group's fields, by which tests find them.
namespace batch_field {
inline constexpr const char* kPreset = "preset";
inline constexpr const char* kSecondFrom = "secondFrom";
inline constexpr const char* kSecondTo = "secondTo";
inline constexpr const char* kResultFrom = "resultFrom";
inline constexpr const char* kResultTo = "resultTo";
inline constexpr const char* kCarry = "carry";
inline constexpr const char* kBorrow = "borrow";
inline constexpr const char* kRemainder = "remainder";
inline constexpr const char* kBlank = "blank";
inline constexpr const char* kDistinct = "distinct";
}  // namespace batch_field

// The first item of 常用练习, which sets no preset.
inline constexpr char kNoPreset[] = "（不用）";

// The 批量生成 dialog's 题目要求: 常用练习, the second operands' and the results' ranges, the
// shares that carry, borrow or leave a remainder (不限, 全部, 没有 or 比例 with a percent), where
// the pupil fills in, and 不重复. Choosing a preset fills the fields with it and 不用 clears them;
// a field edited afterwards overrides the preset, which stays chosen. The fields are read by the
// core (ReadRuleFields); `changed` runs after every change of any of them.
class RuleGroup : public QGroupBox {
 public:
  RuleGroup(std::function<void()> changed, QWidget* parent);

  RuleFields fields() const;
  // Shows `fields` as they are, the preset included, without filling in the preset's own.
  void setFields(const RuleFields& fields);

 private:
  void ChoosePreset(int index);
  void Fill(const RuleFields& fields);

  QComboBox* preset_;
  QLineEdit* secondFrom_;
  QLineEdit* secondTo_;
  QLineEdit* resultFrom_;
  QLineEdit* resultTo_;
  ShareChoice* carry_;
  ShareChoice* borrow_;
  ShareChoice* remainder_;
  QComboBox* blank_;
  QCheckBox* distinct_;
};

}  // namespace kalkora::qt
