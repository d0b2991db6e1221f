#pragma once

#include <QFont>
#include <QPainter>

#include "core/word/page_layout.hpp"

namespace kalkora::qt {

// The face pages are set in: a TrueType face that carries the Chinese texts, the digits and
// the signs alike (fonts-wqy-zenhei), so that one subset of it is embedded in a PDF.
QFont PageFont(double points, bool bold);

// Draws the page with `painter`, whose coordinates must be twips of the paper (one unit a
// twip, the origin the paper's top left corner): the grid, then every text in its box.
void PaintPage(QPainter& painter, const PageLayout& page);

}  // namespace kalkora::qt
