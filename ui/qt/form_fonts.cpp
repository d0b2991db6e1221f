#include "ui/qt/form_fonts.hpp"

#include <QStringList>

#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {

QFont FormFont() {
  QFont font;
  // The half-width fallbacks keep the 12 / 6 pixel proportions of the Windows GUI font.
  font.setFamilies({"宋体", "SimSun", "NSimSun", "WenQuanYi Zen Hei Mono", "Noto Sans Mono CJK SC",
                    "WenQuanYi Micro Hei Mono"});
  font.setPixelSize(12);
  return font;
}

QFont ButtonFontOf(const ButtonFont& entry) {
  QFont font;
  font.setFamilies({ToQString(entry.family), "SimSun", "WenQuanYi Zen Hei", "Noto Sans CJK SC",
                    "WenQuanYi Micro Hei"});
  font.setPixelSize(entry.pixelHeight);
  font.setWeight(static_cast<QFont::Weight>(entry.weight));
  return font;
}

}  // namespace kalkora::qt
