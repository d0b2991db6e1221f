#pragma once

#include <QString>
#include <QWidget>

#include "core/app/form_table.hpp"

namespace kalkora::qt {

// Where the pictures the form names (the banner) are built into the program.
QString PictureResource(std::string_view fileName);

// Makes every control of the form under `window`, in the table's order (later controls lie
// over earlier ones), each named by its form name and placed where the table says, the hidden
// ones not shown, in the form's font. The Word units have no widget. False when a control cannot be
// made: its parent is unknown or its picture does not load.
bool BuildFormWidgets(QWidget& window, const FormSpec& form);

}  // namespace kalkora::qt
