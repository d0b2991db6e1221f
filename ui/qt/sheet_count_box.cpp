#include "ui/qt/sheet_count_box.hpp"

#include <algorithm>

namespace kalkora::qt {

SheetCountBox::SheetCountBox(int most, QWidget* parent) : QSpinBox(parent), most_(most) {
  setRange(1, 999'999'999);
}

void SheetCountBox::stepBy(int steps) {
  const long long next = static_cast<long long>(value()) + static_cast<long long>(steps);
  setValue(static_cast<int>(std::clamp<long long>(next, 1, most_)));
  selectAll();
}

QAbstractSpinBox::StepEnabled SheetCountBox::stepEnabled() const {
  StepEnabled enabled = StepNone;
  if (value() > 1) enabled |= StepDownEnabled;
  if (value() < most_) enabled |= StepUpEnabled;
  return enabled;
}

}  // namespace kalkora::qt
