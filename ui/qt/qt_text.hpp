#pragma once

#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "core/app/form_table.hpp"

// The one place where the core's UTF-8 text and rectangles meet Qt's types.
namespace kalkora::qt {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

inline QRect ToQRect(const Rect& rect) { return {rect.left, rect.top, rect.width, rect.height}; }

}  // namespace kalkora::qt
