#pragma once

#include <QString>
#include <string>

namespace kalkora::qt {

// The core's UTF-8 text for Qt.
inline QString PageString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kalkora::qt
