#pragma once

#include <QValidator>

#include "core/app/form_table.hpp"

namespace kalkora::qt {

// Holds an edit box to its form entry's limit and input filter whatever way text reaches it: a
// paste, a drop, an input method's commit. A change after which the box would hold a character
// the filter refuses (half of a UTF-16 pair included) is refused whole: the box keeps what it
// had, as it does when such a character is typed.
class EditBoxValidator : public QValidator {
 public:
  EditBoxValidator(const ControlSpec& box, QObject* parent) : QValidator(parent), box_(box) {}

  State validate(QString& input, int& position) const override;

 private:
  const ControlSpec& box_;
};

}  // namespace kalkora::qt
