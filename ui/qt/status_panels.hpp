#pragma once

#include <QStatusBar>
#include <QString>
#include <span>

#include "core/app/form_table.hpp"

namespace kalkora::qt {

// The object name of the status bar's panel `index` (a label inside the bar).
QString PanelName(int index);

// A status bar with the form's panels side by side, each as wide as the table says.
QStatusBar* MakeStatusBar(std::span<const StatusPanel> panels, QWidget* parent);

}  // namespace kalkora::qt
