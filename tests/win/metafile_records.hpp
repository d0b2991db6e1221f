#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kalkora::testing {

// What an enhanced metafile holds of a page's drawing, read back from its records.
struct MetafileText {
  std::string text;  // UTF-8
  POINT reference{};
  int width = 0;  // the sum of the characters' advances
  LOGFONTW font{};
};

struct MetafileLine {
  std::vector<POINT> points;
  int penWidth = 0;
  bool squareEnds = false;
};

struct MetafileFill {
  RECT rect{};
  COLORREF colour = 0;
};

struct MetafileDrawing {
  std::vector<MetafileText> texts;  // EMR_EXTTEXTOUTW, in the selected font
  std::vector<MetafileLine> lines;  // EMR_POLYLINE16 and EMR_POLYLINE, with the selected pen
  std::vector<MetafileFill> fills;  // EMR_BITBLT of a pattern, with the selected brush
};

MetafileDrawing ReadMetafile(HENHMETAFILE metafile);

}  // namespace kalkora::testing
