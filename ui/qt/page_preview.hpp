#pragma once

#include <QSize>
#include <QString>
#include <QWidget>
#include <optional>

#include "core/word/page_layout.hpp"

namespace kalkora::qt {

// A page drawn as it is printed, scaled to fit the widget and centred, on white paper with a
// thin border; or, instead of a page, a message wrapped and centred in the widget.
class PagePreview : public QWidget {
 public:
  // An A4 page seen at about a third of its printed size: its texts stay legible.
  static constexpr QSize kPreferredSize{300, 424};

  explicit PagePreview(QWidget* parent);

  void ShowPage(PageLayout page);
  void ShowMessage(const QString& message);

  // What is shown: the page, or none and the message.
  const std::optional<PageLayout>& page() const { return page_; }
  const QString& message() const { return message_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<PageLayout> page_;
  QString message_;
};

// Draws `page` into `painter`'s `area`: scaled uniformly to fit it with a small margin,
// centred, on white paper with a thin border.
void PaintPreview(QPainter& painter, const QRect& area, const PageLayout& page);

}  // namespace kalkora::qt
