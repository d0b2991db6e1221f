#include "ui/qt/banner.hpp"

#include <QImage>
#include <QImageReader>

namespace kalkora::qt {

std::optional<QPixmap> FittedPicture(const QString& path, QSize box) {
  QImageReader reader(path);
  const QImage picture = reader.read();
  if (picture.isNull() || box.isEmpty()) return std::nullopt;
  const QImage scaled =
      picture.scaled(box, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
  const QRect middle((scaled.width() - box.width()) / 2, (scaled.height() - box.height()) / 2,
                     box.width(), box.height());
  return QPixmap::fromImage(scaled.copy(middle));
}

}  // namespace kalkora::qt
