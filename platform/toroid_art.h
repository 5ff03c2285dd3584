#pragma once

// Our artwork of a wound toroid: the window icon and the Calculator's picture.

#include <QIcon>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace kw::gui {

// Paints a ferrite ring with copper turns and two leads into the square r.
void paintToroid(QPainter& painter, const QRectF& r);
QPixmap toroidPixmap(int size, qreal devicePixelRatio = 1.0);
QIcon toroidIcon();

}  // namespace kw::gui
