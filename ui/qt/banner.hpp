#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <optional>

namespace kalkora::qt {

// The banner picture fitted into its box: scaled to the box's width with its proportions
// kept, and cut to the box's height around its middle, where the picture's design sits.
// None when the picture cannot be read.
std::optional<QPixmap> FittedPicture(const QString& path, QSize box);

}  // namespace kalkora::qt
