#include "ui/qt/form_fonts.hpp"

#include <QStringList>

#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {
namespace {

QFont FontOf(const FontSpec& entry, const QStringList& fallbacks) {
  QFont font;
  font.setFamilies(QStringList{ToQString(entry.family)} + fallbacks);
  font.setPixelSize(entry.pixelHeight);
  font.setWeight(static_cast<QFont::Weight>(entry.weight));
  return font;
}

}  // namespace

QFont FormFontOf(const FontSpec& entry) {
  // The half-width fallbacks keep the 12 / 6 pixel proportions of the Windows GUI font.
  return FontOf(entry, {"SimSun", "NSimSun", "WenQuanYi Zen Hei Mono", "Noto Sans Mono CJK SC",
                        "WenQuanYi Micro Hei Mono"});
}

QFont ButtonFontOf(const FontSpec& entry) {
  return FontOf(entry, {"SimSun", "WenQuanYi Zen Hei", "Noto Sans CJK SC", "WenQuanYi Micro Hei"});
}

}  // namespace kalkora::qt
