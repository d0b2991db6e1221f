#include "paint/win32/page_painter.hpp"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "paint/win32/gdi_object.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora::win32 {
namespace {

// One page being drawn: where the paper lands in the target, and the pens and fonts made for
// it. The DC's state is saved first and restored before those objects are deleted.
class PageDrawing {
 public:
  PageDrawing(HDC dc, const PageLayout& page, const RECT& target) : dc_(dc) {
    const double width = target.right - target.left;
    const double height = target.bottom - target.top;
    scale_ = std::min(width / page.paperWidth, height / page.paperHeight);
    left_ = target.left + static_cast<int>((width - Length(page.paperWidth)) / 2);
    top_ = target.top + static_cast<int>((height - Length(page.paperHeight)) / 2);
    saved_ = SaveDC(dc_);
    SetMapMode(dc_, MM_TEXT);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
    SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
  }
  PageDrawing(const PageDrawing&) = delete;
  PageDrawing& operator=(const PageDrawing&) = delete;
  ~PageDrawing() { RestoreDC(dc_, saved_); }

  void Paper(const PageLayout& page) {
    const RECT paper{X(0), Y(0), X(page.paperWidth), Y(page.paperHeight)};
    FillRect(dc_, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }

  // A rule of the grid, its ends squared off as in the other painters so that the corners
  // of the table close; never thinner than a device pixel.
  void Line(const PageLine& line) {
    SelectObject(dc_, Pen(std::max(1, Length(line.width))));
    const POINT ends[2] = {{X(line.x1), Y(line.y1)}, {X(line.x2), Y(line.y2)}};
    Polyline(dc_, ends, 2);
  }

  // A text at the top of its box, left or centred. One wider than its box (a face wider than
  // the layout's may leave a long problem too wide) is set in a narrower font to fit, not cut
  // off; where the face narrows no further (a bold face made up by the system from the
  // regular one keeps its extra width), its characters are set closer.
  void Text(const PageText& text) {
    if (text.text.empty()) return;
    const std::wstring wide = ToUtf16(text.text);
    const int room = X(text.box.x + text.box.width) - X(text.box.x);
    SelectObject(dc_, Font(text.points, text.bold, 0));
    int extent = Extent(wide);
    if (extent > room) {
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc_, &metrics);
      int average = metrics.tmAveCharWidth;
      // The face's widths do not scale exactly with its average: a few closer tries.
      for (int tries = 0; tries < 3 && extent > room && average > 1; ++tries) {
        average = std::max(1, static_cast<int>(static_cast<long long>(average) * room / extent));
        SelectObject(dc_, Font(text.points, text.bold, average));
        extent = Extent(wide);
      }
    }
    std::vector<INT> advances;
    if (extent > room) {
      advances = CloserAdvances(wide, room);
      extent = room;
    }
    const int left = X(text.box.x) + (text.align == TextAlign::Centre ? (room - extent) / 2 : 0);
    ExtTextOutW(dc_, left, Y(text.box.y), 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()),
                advances.empty() ? nullptr : advances.data());
  }

 private:
  int Length(double twips) const { return static_cast<int>(std::lround(twips * scale_)); }
  int X(int twips) const { return left_ + Length(twips); }
  int Y(int twips) const { return top_ + Length(twips); }

  int Extent(const std::wstring& text) const {
    SIZE extent{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
  }

  // The advances of the characters in the selected font, scaled down to add up to `room`.
  std::vector<INT> CloserAdvances(const std::wstring& text, int room) const {
    const int count = static_cast<int>(text.size());
    std::vector<INT> ends(text.size());
    SIZE extent{};
    GetTextExtentExPointW(dc_, text.c_str(), count, 0, nullptr, ends.data(), &extent);
    std::vector<INT> advances(text.size());
    int previous = 0;
    for (std::size_t i = 0; i < ends.size() && extent.cx > 0; ++i) {
      const int end = static_cast<int>(static_cast<long long>(ends[i]) * room / extent.cx);
      advances[i] = end - previous;
      previous = end;
    }
    return advances;
  }

  HGDIOBJ Pen(int width) {
    GdiObject& pen = pens_[width];
    if (!pen) {
      const LOGBRUSH black{BS_SOLID, RGB(0, 0, 0), 0};
      pen.reset(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER,
                             static_cast<DWORD>(width), &black, 0, nullptr));
    }
    return pen.get();
  }

  // The page face in `points`, as device units of this scale; `width` 0 for its own widths,
  // else the average character width to narrow it to.
  HGDIOBJ Font(double points, bool bold, int width) {
    GdiObject& font = fonts_[{points, bold, width}];
    if (!font) {
      LOGFONTW face{};
      face.lfHeight = -std::max(1, Length(points * 20));
      face.lfWidth = width;
      face.lfWeight = bold ? FW_BOLD : FW_NORMAL;
      face.lfCharSet = DEFAULT_CHARSET;
      // TrueType only, so that a PDF printer embeds the face rather than a bitmap of it.
      face.lfOutPrecision = OUT_TT_ONLY_PRECIS;
      face.lfQuality = CLEARTYPE_QUALITY;
      std::wcsncpy(face.lfFaceName, kPageFace, LF_FACESIZE - 1);
      font.reset(CreateFontIndirectW(&face));
    }
    return font.get();
  }

  HDC dc_;
  double scale_ = 0;
  int left_ = 0;
  int top_ = 0;
  int saved_ = 0;
  std::map<int, GdiObject> pens_;
  std::map<std::tuple<double, bool, int>, GdiObject> fonts_;
};

}  // namespace

void PaintPage(HDC dc, const PageLayout& page, const RECT& target) {
  if (page.paperWidth <= 0 || page.paperHeight <= 0) return;
  if (target.right <= target.left || target.bottom <= target.top) return;
  PageDrawing drawing(dc, page, target);
  drawing.Paper(page);
  for (const PageLine& line : page.lines) drawing.Line(line);
  for (const PageText& text : page.texts) drawing.Text(text);
}

}  // namespace kalkora::win32
