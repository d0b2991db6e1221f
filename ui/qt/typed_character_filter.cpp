#include "ui/qt/typed_character_filter.hpp"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace kalkora::qt {

TypedCharacterFilter::TypedCharacterFilter(InputFilter filter, QObject* parent)
    : QObject(parent), filter_(filter) {}

bool TypedCharacterFilter::Accepts(const QString& typed) const {
  for (const char32_t character : typed.toUcs4()) {
    if (!AcceptsTypedCharacter(filter_, character)) return false;
  }
  return true;
}

bool TypedCharacterFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    // A key held with Ctrl or Meta is a shortcut (Ctrl+V pastes), not a typed character; what
    // it does to the text the box's validator judges.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    return !Accepts(key->text());
  }
  if (event->type() == QEvent::InputMethod) {
    if (!Accepts(static_cast<QInputMethodEvent*>(event)->commitString())) {
      // End the composition without committing anything.
      QInputMethodEvent nothing;
      QCoreApplication::sendEvent(watched, &nothing);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kalkora::qt
