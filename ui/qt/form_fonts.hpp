#pragma once

#include <QFont>

#include "core/app/form_table.hpp"

namespace kalkora::qt {

// The window's own font, standing in for the Chinese default GUI font the form was laid out
// with: 12 pixels, Chinese characters 12 and Latin characters and blanks 6 pixels wide. The
// blanks in the range label and the decimals caption depend on that: the edit boxes lie over
// them.
QFont FormFont();

// The generate button's font from the form table, with Chinese fallbacks found on Linux.
QFont ButtonFontOf(const ButtonFont& font);

}  // namespace kalkora::qt
