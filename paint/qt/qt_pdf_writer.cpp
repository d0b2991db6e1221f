#include "paint/qt/qt_pdf_writer.hpp"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "paint/qt/page_painter.hpp"
#include "paint/qt/qt_page_text.hpp"

namespace kalkora::qt {

bool QtPdfWriter::WritePdf(const std::vector<DocumentPage>& pages, const std::string& pdfPath,
                           const std::function<bool()>& pageDone) {
  if (pages.empty()) return false;
  QPdfWriter writer(PageString(pdfPath));
  writer.setResolution(1440);  // a unit is a twip
  writer.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  writer.setCreator(QStringLiteral("Kalkora"));
  writer.setTitle(PageString(pages.front().title));
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !writer.newPage()) return false;
    PaintPage(painter, LayOutPage(pages[i]));
    if (pageDone && !pageDone()) {
      painter.end();
      return false;
    }
  }
  return painter.end();
}

}  // namespace kalkora::qt
