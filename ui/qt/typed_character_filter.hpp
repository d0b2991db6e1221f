#pragma once

#include <QObject>

#include "core/app/form_table.hpp"

namespace kalkora::qt {

// Drops what is typed into an edit box when a character of it does not pass the box's input
// filter, from the keyboard and from an input method alike. Keys without text (arrows),
// control characters (backspace) and shortcuts (Ctrl+V) always pass.
class TypedCharacterFilter : public QObject {
 public:
  TypedCharacterFilter(InputFilter filter, QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Accepts(const QString& typed) const;

  InputFilter filter_;
};

}  // namespace kalkora::qt
