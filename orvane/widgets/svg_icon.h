#pragma once
// Icons drawn by Qt SVG from the SVG files compiled into the program, at the
// sizes the windows ask for; no image plug-in is needed.
#include <QIcon>
#include <QPixmap>

namespace orvane {

// `resource` is a Qt resource path such as ":/icons/logo.svg". A file that
// does not render gives a null icon.
QIcon svgIcon(const QString& resource);
QPixmap svgPixmap(const QString& resource, QSize size);

}  // namespace orvane
