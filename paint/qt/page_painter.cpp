#include "paint/qt/page_painter.hpp"

#include <QFontMetricsF>
#include <QPen>
#include <cmath>
#include <map>
#include <utility>

#include "paint/qt/qt_page_text.hpp"

namespace kalkora::qt {

QFont PageFont(double points, bool bold) {
  QFont font;
  // As in the .docx: Calibri's metric twin for Latin text, and the Chinese face for the rest.
  font.setFamilies({QStringLiteral("Carlito"), QStringLiteral("WenQuanYi Zen Hei")});
  font.setStyleHint(QFont::SansSerif);
  // Sized in twips, the painter's unit, so that a scaled preview and a PDF at 1440 dots an
  // inch both get the size in points.
  font.setPixelSize(static_cast<int>(std::lround(points * 20)));
  font.setBold(bold);
  font.setKerning(false);
  return font;
}

void PaintPage(QPainter& painter, const PageLayout& page) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  for (const PageLine& line : page.lines) {
    painter.setPen(QPen(Qt::black, line.width, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(line.x1, line.y1, line.x2, line.y2);
  }
  painter.setPen(Qt::black);
  // A page has texts of few sizes: each face is looked up once.
  std::map<std::pair<double, bool>, std::pair<QFont, QFontMetricsF>> faces;
  for (const PageText& text : page.texts) {
    auto face = faces.find({text.points, text.bold});
    if (face == faces.end()) {
      const QFont font = PageFont(text.points, text.bold);
      face = faces.emplace(std::pair{text.points, text.bold}, std::pair{font, QFontMetricsF(font)})
                 .first;
    }
    const QString string = PageString(text.text);
    painter.setFont(face->second.first);
    const int flags =
        (text.align == TextAlign::Centre ? int{Qt::AlignHCenter} : int{Qt::AlignLeft}) |
        int{Qt::AlignTop} | int{Qt::TextSingleLine};
    const QRectF box(text.box.x, text.box.y, text.box.width, text.box.height);
    // A text wider than its box is narrowed to fit it rather than cut off or wrapped.
    const double advance = face->second.second.horizontalAdvance(string);
    if (advance <= text.box.width) {
      painter.drawText(box, flags, string);
      continue;
    }
    const double squeeze = text.box.width / advance;
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(squeeze, 1.0);
    painter.drawText(QRectF(0, 0, advance, box.height()), flags, string);
    painter.restore();
  }
  painter.restore();
}

}  // namespace kalkora::qt
