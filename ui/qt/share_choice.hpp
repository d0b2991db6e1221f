#pragma once

#include <QComboBox>
#include <QSpinBox>
#include <QWidget>
#include <optional>

namespace kalkora::qt {

// How many of a set's problems a rule holds for: 不限 (no rule), 全部 (100 %), 没有 (0 %),
// or 比例 with the percent in the box beside it, which only 比例 enables.
class ShareChoice : public QWidget {
 public:
  ShareChoice(const QString& tip, QWidget* parent);

  std::optional<int> share() const;
  void setShare(std::optional<int> percent);
  // The choice as it reads: "不限", "全部", "没有" or "比例 40%".
  QString text() const;

  QComboBox& kind() { return *kind_; }
  QSpinBox& percent() { return *percent_; }

 private:
  void FollowKind();

  QComboBox* kind_;
  QSpinBox* percent_;
};

}  // namespace kalkora::qt
