#pragma once

#include <QSpinBox>

namespace kalkora::qt {

// The batch dialog's 份数: its arrows stay within 1 to `most`, but a larger number that is
// typed stays in the box as typed (up to nine digits), so that the dialog can say what the
// limit is instead of the box dropping digits without a word.
class SheetCountBox : public QSpinBox {
 public:
  SheetCountBox(int most, QWidget* parent);

 protected:
  void stepBy(int steps) override;
  StepEnabled stepEnabled() const override;

 private:
  int most_;
};

}  // namespace kalkora::qt
