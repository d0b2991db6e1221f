#include "ui/qt/rule_group.hpp"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

#include "ui/qt/named.hpp"
#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {
namespace {

constexpr int kNumberBoxWidth = 72;  // pixels: a bound of a dozen digits scrolls in its box

QLineEdit* NumberBox(const char* name, QWidget* parent) {
  auto* box = Named(new QLineEdit(parent), name);
  box->setFixedWidth(kNumberBoxWidth);
  return box;
}

ShareChoice* ShareBox(const char* name, const QString& tip, QWidget* parent) {
  return Named(new ShareChoice(tip, parent), name);
}

// Two boxes of a range with 到 between them.
QHBoxLayout* RangeRow(QLineEdit* from, QLineEdit* to, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addWidget(from);
  row->addWidget(new QLabel(QStringLiteral("到"), parent));
  row->addWidget(to);
  row->addStretch(1);
  return row;
}

}  // namespace

RuleGroup::RuleGroup(std::function<void()> changed, QWidget* parent)
    : QGroupBox(QStringLiteral("题目要求"), parent),
      preset_(Named(new QComboBox(this), batch_field::kPreset)),
      secondFrom_(NumberBox(batch_field::kSecondFrom, this)),
      secondTo_(NumberBox(batch_field::kSecondTo, this)),
      resultFrom_(NumberBox(batch_field::kResultFrom, this)),
      resultTo_(NumberBox(batch_field::kResultTo, this)),
      carry_(ShareBox(batch_field::kCarry, QStringLiteral("含加法的题中进位的占几成"), this)),
      borrow_(ShareBox(batch_field::kBorrow, QStringLiteral("含减法的题中退位的占几成"), this)),
      remainder_(ShareBox(batch_field::kRemainder,
                          QStringLiteral("除法题中有余数的占几成；有小数时只能是不限或 0%，"
                                         "0% 表示商在小数位数内除尽"),
                          this)),
      blank_(Named(new QComboBox(this), batch_field::kBlank)),
      distinct_(Named(new QCheckBox(QStringLiteral("不重复"), this), batch_field::kDistinct)) {
  preset_->addItem(QString::fromUtf8(kNoPreset));
  for (const RulePreset& preset : RulePresets()) preset_->addItem(ToQString(preset.name));
  preset_->setToolTip(
      QStringLiteral("设好题型、两个范围、结果范围和要求，不加小数点；下面改过的设置优先"));
  secondFrom_->setToolTip(
      QStringLiteral("第二个及以后的数的范围（第一个数仍用题型设置的范围）；"
                     "给了它，减法和除法不再把大数换到前面，"
                     "而是不出负的差和除数 0"));
  secondTo_->setToolTip(secondFrom_->toolTip());
  resultFrom_->setToolTip(
      QStringLiteral("每个结果（连续运算的每一步）都在这个范围内，可只给一头；"
                     "除法的结果是商"));
  resultTo_->setToolTip(resultFrom_->toolTip());
  for (const auto& [name, place] :
       {std::pair{"得数", BlankPlace::Result}, std::pair{"第一个数", BlankPlace::First},
        std::pair{"第二个数", BlankPlace::Second}, std::pair{"随机", BlankPlace::Any}}) {
    blank_->addItem(QString::fromUtf8(name), static_cast<int>(place));
  }
  blank_->setToolTip(QStringLiteral("空写成“（　　）”，只有一个数能填；分数只能填得数"));
  distinct_->setToolTip(QStringLiteral("同一份里没有两道相同的题"));

  auto* blankRow = new QHBoxLayout;
  blankRow->addWidget(blank_);
  blankRow->addSpacing(16);
  blankRow->addWidget(distinct_);
  blankRow->addStretch(1);

  auto* rows = new QFormLayout(this);
  rows->addRow(QStringLiteral("常用练习："), preset_);
  rows->addRow(QStringLiteral("第二个数："), RangeRow(secondFrom_, secondTo_, this));
  rows->addRow(QStringLiteral("结果："), RangeRow(resultFrom_, resultTo_, this));
  rows->addRow(QStringLiteral("进位："), carry_);
  rows->addRow(QStringLiteral("退位："), borrow_);
  rows->addRow(QStringLiteral("余数："), remainder_);
  rows->addRow(QStringLiteral("填空位置："), blankRow);

  connect(preset_, &QComboBox::currentIndexChanged, this, &RuleGroup::ChoosePreset);
  for (QLineEdit* box : {secondFrom_, secondTo_, resultFrom_, resultTo_}) {
    connect(box, &QLineEdit::textChanged, this, changed);
  }
  for (ShareChoice* box : {carry_, borrow_, remainder_}) {
    connect(&box->kind(), &QComboBox::currentIndexChanged, this, changed);
    connect(&box->percent(), &QSpinBox::valueChanged, this, changed);
  }
  connect(preset_, &QComboBox::currentIndexChanged, this, changed);
  connect(blank_, &QComboBox::currentIndexChanged, this, changed);
  connect(distinct_, &QCheckBox::toggled, this, changed);
}

RuleFields RuleGroup::fields() const {
  return {preset_->currentIndex() == 0 ? std::string() : ToUtf8(preset_->currentText()),
          ToUtf8(secondFrom_->text()),
          ToUtf8(secondTo_->text()),
          ToUtf8(resultFrom_->text()),
          ToUtf8(resultTo_->text()),
          carry_->share(),
          borrow_->share(),
          remainder_->share(),
          static_cast<BlankPlace>(blank_->currentData().toInt()),
          distinct_->isChecked()};
}

void RuleGroup::setFields(const RuleFields& fields) {
  {
    const QSignalBlocker quiet(preset_);
    // An unknown name (none among them) chooses （不用）.
    preset_->setCurrentIndex(std::max(preset_->findText(ToQString(fields.preset)), 0));
  }
  Fill(fields);
}

void RuleGroup::ChoosePreset(int index) {
  const RulePreset* preset =
      index == 0 ? nullptr : FindRulePreset(ToUtf8(preset_->itemText(index)));
  Fill(preset ? PresetFields(*preset) : RuleFields{});
}

void RuleGroup::Fill(const RuleFields& fields) {
  secondFrom_->setText(ToQString(fields.secondFrom));
  secondTo_->setText(ToQString(fields.secondTo));
  resultFrom_->setText(ToQString(fields.resultFrom));
  resultTo_->setText(ToQString(fields.resultTo));
  carry_->setShare(fields.carry);
  borrow_->setShare(fields.borrow);
  remainder_->setShare(fields.remainder);
  blank_->setCurrentIndex(blank_->findData(static_cast<int>(fields.blank)));
  distinct_->setChecked(fields.distinct);
}

}  // namespace kalkora::qt
