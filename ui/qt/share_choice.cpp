#include "ui/qt/share_choice.hpp"

#include <QHBoxLayout>

namespace kalkora::qt {
namespace {

enum Kind { kAny, kAll, kNone, kPart };
constexpr int kFirstPart = 50;  // the percent 比例 starts from

}  // namespace

ShareChoice::ShareChoice(const QString& tip, QWidget* parent)
    : QWidget(parent), kind_(new QComboBox(this)), percent_(new QSpinBox(this)) {
  for (const char* word : {"不限", "全部", "没有", "比例"}) kind_->addItem(QString::fromUtf8(word));
  percent_->setRange(0, 100);
  percent_->setSuffix(QStringLiteral("%"));
  percent_->setValue(kFirstPart);
  kind_->setToolTip(tip);
  percent_->setToolTip(tip);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(kind_);
  row->addWidget(percent_);
  connect(kind_, &QComboBox::currentIndexChanged, this, &ShareChoice::FollowKind);
  FollowKind();
}

void ShareChoice::FollowKind() { percent_->setEnabled(kind_->currentIndex() == kPart); }

std::optional<int> ShareChoice::share() const {
  switch (kind_->currentIndex()) {
    case kAll:
      return 100;
    case kNone:
      return 0;
    case kPart:
      return percent_->value();
    default:
      return std::nullopt;
  }
}

void ShareChoice::setShare(std::optional<int> percent) {
  if (!percent) {
    kind_->setCurrentIndex(kAny);
  } else if (*percent == 100) {
    kind_->setCurrentIndex(kAll);
  } else if (*percent == 0) {
    kind_->setCurrentIndex(kNone);
  } else {
    percent_->setValue(*percent);
    kind_->setCurrentIndex(kPart);
  }
}

QString ShareChoice::text() const {
  const QString kind = kind_->currentText();
  return kind_->currentIndex() == kPart ? kind + " " + percent_->text() : kind;
}

}  // namespace kalkora::qt
