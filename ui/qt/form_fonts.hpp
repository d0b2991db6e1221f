#pragma once

#include <QFont>

#include "core/app/form_table.hpp"

namespace kalkora::qt {

// The form table's font for the window (its Chinese default GUI font), with fallbacks found on
// Linux that keep its metrics: Chinese characters 12 pixels wide, Latin characters and blanks 6.
QFont FormFontOf(const FontSpec& font);

// The generate button's font from the form table, with Chinese fallbacks found on Linux.
QFont ButtonFontOf(const FontSpec& font);

}  // namespace kalkora::qt
