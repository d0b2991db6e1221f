#include "metafile_records.hpp"

#include <map>
#include <variant>

#include "system/win32/utf16.hpp"

namespace kalkora::testing {
namespace {

struct Pen {
  int width = 0;
  bool squareEnds = false;
};

// The objects the records create, by their handle number, and which of them is selected.
struct Reading {
  MetafileDrawing drawing;
  std::map<DWORD, std::variant<LOGFONTW, Pen, COLORREF>> objects;
  LOGFONTW font{};
  Pen pen{};
  COLORREF brush = RGB(255, 255, 255);
};

COLORREF StockBrushColour(DWORD stock) {
  switch (stock) {
    case BLACK_BRUSH:
      return RGB(0, 0, 0);
    case GRAY_BRUSH:
      return RGB(128, 128, 128);
    case WHITE_BRUSH:
      return RGB(255, 255, 255);
    default:
      return CLR_INVALID;
  }
}

void Select(Reading& reading, DWORD handle) {
  if (handle & 0x80000000u) {
    if (const COLORREF colour = StockBrushColour(handle & 0x7fffffffu); colour != CLR_INVALID) {
      reading.brush = colour;
    }
    return;
  }
  const auto object = reading.objects.find(handle);
  if (object == reading.objects.end()) return;
  if (const auto* font = std::get_if<LOGFONTW>(&object->second)) reading.font = *font;
  if (const auto* pen = std::get_if<Pen>(&object->second)) reading.pen = *pen;
  if (const auto* colour = std::get_if<COLORREF>(&object->second)) reading.brush = *colour;
}

template <typename Point>
void AddLine(Reading& reading, const Point* points, DWORD count) {
  MetafileLine line{{}, reading.pen.width, reading.pen.squareEnds};
  for (DWORD i = 0; i < count; ++i) line.points.push_back({points[i].x, points[i].y});
  reading.drawing.lines.push_back(line);
}

void AddText(Reading& reading, const ENHMETARECORD& record) {
  const auto& text = reinterpret_cast<const EMREXTTEXTOUTW&>(record);
  const auto* bytes = reinterpret_cast<const BYTE*>(&record);
  const auto* chars = reinterpret_cast<const wchar_t*>(bytes + text.emrtext.offString);
  const auto* advances = reinterpret_cast<const INT*>(bytes + text.emrtext.offDx);
  const POINTL reference = text.emrtext.ptlReference;
  MetafileText read{
      win32::ToUtf8({chars, text.emrtext.nChars}), {reference.x, reference.y}, 0, reading.font};
  if (text.emrtext.offDx != 0) {
    for (DWORD i = 0; i < text.emrtext.nChars; ++i) read.width += advances[i];
  }
  reading.drawing.texts.push_back(read);
}

int CALLBACK ReadRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  Reading& reading = *reinterpret_cast<Reading*>(data);
  const auto* bytes = reinterpret_cast<const BYTE*>(record);
  switch (record->iType) {
    case EMR_EXTCREATEFONTINDIRECTW: {
      const auto& font = *reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(bytes);
      reading.objects[font.ihFont] = font.elfw.elfLogFont;
      break;
    }
    case EMR_EXTCREATEPEN: {
      const auto& pen = *reinterpret_cast<const EMREXTCREATEPEN*>(bytes);
      reading.objects[pen.ihPen] = Pen{static_cast<int>(pen.elp.elpWidth),
                                       (pen.elp.elpPenStyle & PS_ENDCAP_MASK) == PS_ENDCAP_SQUARE};
      break;
    }
    case EMR_CREATEPEN: {
      const auto& pen = *reinterpret_cast<const EMRCREATEPEN*>(bytes);
      // Wine records an extended pen so too, its end caps kept in the style.
      reading.objects[pen.ihPen] = Pen{static_cast<int>(pen.lopn.lopnWidth.x),
                                       (pen.lopn.lopnStyle & PS_ENDCAP_MASK) == PS_ENDCAP_SQUARE};
      break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
      const auto& brush = *reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(bytes);
      reading.objects[brush.ihBrush] = brush.lb.lbColor;
      break;
    }
    case EMR_DELETEOBJECT:
      reading.objects.erase(reinterpret_cast<const EMRDELETEOBJECT*>(bytes)->ihObject);
      break;
    case EMR_SELECTOBJECT:
      Select(reading, reinterpret_cast<const EMRSELECTOBJECT*>(bytes)->ihObject);
      break;
    case EMR_EXTTEXTOUTW:
      AddText(reading, *record);
      break;
    case EMR_POLYLINE16: {
      const auto& line = *reinterpret_cast<const EMRPOLYLINE16*>(bytes);
      AddLine(reading, line.apts, line.cpts);
      break;
    }
    case EMR_POLYLINE: {
      const auto& line = *reinterpret_cast<const EMRPOLYLINE*>(bytes);
      AddLine(reading, line.aptl, line.cptl);
      break;
    }
    case EMR_BITBLT: {
      const auto& blit = *reinterpret_cast<const EMRBITBLT*>(bytes);
      if (blit.dwRop == PATCOPY) {
        reading.drawing.fills.push_back(
            {{blit.xDest, blit.yDest, blit.xDest + blit.cxDest, blit.yDest + blit.cyDest},
             reading.brush});
      }
      break;
    }
    default:
      break;
  }
  return 1;
}

}  // namespace

MetafileDrawing ReadMetafile(HENHMETAFILE metafile) {
  Reading reading;
  EnumEnhMetaFile(nullptr, metafile, ReadRecord, &reading, nullptr);
  return reading.drawing;
}

}  // namespace kalkora::testing
