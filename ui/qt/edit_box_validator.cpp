#include "ui/qt/edit_box_validator.hpp"

#include "core/app/edit_box_input.hpp"
#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {

QValidator::State EditBoxValidator::validate(QString& input, int&) const {
  return AcceptsText(box_, ToUtf8(input)) ? Acceptable : Invalid;
}

}  // namespace kalkora::qt
