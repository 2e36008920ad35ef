#include "svg_icon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace orvane {

QPixmap svgPixmap(const QString& resource, QSize size) {
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return {};
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

QIcon svgIcon(const QString& resource) {
  QIcon icon;
  for (const int side : {16, 24, 32, 48}) {
    const QPixmap pixmap = svgPixmap(resource, QSize(side, side));
    if (pixmap.isNull()) return {};
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace orvane
