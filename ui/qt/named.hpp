#pragma once

#include <QObject>
#include <QString>

namespace kalkora::qt {

// The object with its object name set, by which tests find it.
template <typename Object>
Object* Named(Object* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  return object;
}

}  // namespace kalkora::qt
