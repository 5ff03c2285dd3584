#include "platform/toroid_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace kw::gui {

namespace {

// Proportions of the drawing, as fractions of its side.
constexpr qreal kOuterRadius = 0.36;
constexpr qreal kInnerRadius = 0.17;
constexpr qreal kWireWidth = 0.05;
constexpr qreal kWireOverhang = 0.03;  // wire beyond the ring's edges
constexpr int kTurns = 9;
constexpr qreal kWoundArc = 290.0;      // [degrees] arc that carries the turns
constexpr qreal kGapCentre = 270.0;     // [degrees] the leads leave at the bottom
constexpr qreal kCentreShiftY = -0.06;  // leave room for the leads below

const QColor kFerriteDark{0x2b, 0x2f, 0x36};
const QColor kFerriteLight{0x6a, 0x72, 0x7d};
const QColor kCopper{0xc8, 0x76, 0x2e};
const QColor kCopperDark{0x7a, 0x41, 0x12};

QPointF polar(const QPointF& centre, qreal radius, qreal degrees) {
    const qreal a = degrees * std::numbers::pi / 180.0;
    return centre + QPointF(radius * std::cos(a), -radius * std::sin(a));
}

}  // namespace

void paintToroid(QPainter& painter, const QRectF& r) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(r.width(), r.height());
    const QPointF centre = r.center() + QPointF(0, kCentreShiftY * side);
    const qreal outer = kOuterRadius * side;
    const qreal inner = kInnerRadius * side;

    QPainterPath ring;
    ring.addEllipse(centre, outer, outer);
    ring.addEllipse(centre, inner, inner);
    ring.setFillRule(Qt::OddEvenFill);
    QRadialGradient shade(centre - QPointF(0.12 * side, 0.12 * side), outer * 1.3);
    shade.setColorAt(0.0, kFerriteLight);
    shade.setColorAt(1.0, kFerriteDark);
    painter.setPen(QPen(kFerriteDark.darker(130), std::max<qreal>(0.6, side / 64.0)));
    painter.setBrush(shade);
    painter.drawPath(ring);

    // Turns: radial strokes across the ring, evenly over the wound arc.
    const qreal wire = std::max<qreal>(1.0, kWireWidth * side);
    const qreal overhang = kWireOverhang * side;
    const qreal first = kGapCentre + (360.0 - kWoundArc) / 2.0;
    const qreal step = kWoundArc / (kTurns - 1);
    for (int i = 0; i < kTurns; ++i) {
        const qreal angle = first + i * step;
        const QPointF from = polar(centre, inner - overhang, angle);
        const QPointF to = polar(centre, outer + overhang, angle);
        painter.setPen(QPen(kCopperDark, wire * 1.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(from, to);
        painter.setPen(QPen(kCopper, wire, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(from, to);
    }

    // Leads from the first and the last turn down to the bottom edge.
    const qreal last = first + kWoundArc;
    const qreal bottom = r.bottom() - wire;
    for (const qreal angle : {first, last}) {
        const QPointF start = polar(centre, outer + overhang, angle);
        const QPointF end(start.x() + (angle == first ? -0.04 : 0.04) * side, bottom);
        painter.setPen(QPen(kCopper, wire, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(start, end);
    }
    painter.restore();
}

QPixmap toroidPixmap(int size, qreal devicePixelRatio) {
    const int device = static_cast<int>(std::ceil(size * devicePixelRatio));
    QPixmap pixmap(device, device);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&pixmap);
    paintToroid(painter, QRectF(0, 0, size, size));
    return pixmap;
}

QIcon toroidIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(toroidPixmap(size));
    }
    return icon;
}

}  // namespace kw::gui
