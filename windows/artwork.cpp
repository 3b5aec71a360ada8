#include "windows/artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgRenderer>
#include <cmath>

namespace {

void drawNet(QPainter& p, QPointF c, double r, bool bands) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    if (bands) {
        // Nested density bands around an off-centre maximum, as a contour diagram shows them.
        const QPointF m(c.x() + r * 0.28, c.y() - r * 0.22);
        const QColor colours[] = {QColor(0xCC, 0xE5, 0xFF), QColor(0x80, 0xC0, 0xFF),
                                  QColor(0x40, 0x90, 0xE0), QColor(0x10, 0x50, 0xB0)};
        for (int i = 0; i < 4; ++i) {
            const double k = 1.0 - i * 0.22;
            p.setBrush(colours[i]);
            p.drawEllipse(m, r * 0.55 * k, r * 0.40 * k);
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), std::max(1.0, r / 60)));
    for (int dip = 30; dip < 90; dip += 30) {
        const double d = r * std::sqrt(2.0) * std::sin(dip * M_PI / 360.0);
        p.drawEllipse(c, d, d);
    }
    p.setPen(QPen(Qt::black, std::max(1.0, r / 25)));
    p.drawEllipse(c, r, r);
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
}

} // namespace

namespace Artwork {

QPixmap ProgramIcon(int size) {
    // The same drawing the install ships as the desktop icon.
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(QStringLiteral(":/packaging/quill-stereo.svg")).render(&p);
    return pm;
}

QPixmap SplashPicture(int width, int height) {
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0x1B, 0x2A, 0x49));
    sky.setColorAt(1, QColor(0x3E, 0x5C, 0x76));
    p.fillRect(pm.rect(), sky);
    // Layered strata behind the net.
    for (int i = 0; i < 6; ++i) {
        QPainterPath layer;
        const double y0 = height * (0.55 + i * 0.08);
        layer.moveTo(0, y0);
        layer.cubicTo(width * 0.3, y0 - height * 0.10, width * 0.6, y0 + height * 0.06, width,
                      y0 - height * 0.05);
        layer.lineTo(width, height);
        layer.lineTo(0, height);
        layer.closeSubpath();
        p.fillPath(layer, QColor(0x8B - i * 10, 0x6E - i * 6, 0x4B - i * 4, 200));
    }
    // The net stands to the right, clear of the title text on the left.
    const double r = std::min(width, height) * 0.30;
    drawNet(p, QPointF(width - r - height * 0.08, height * 0.58), r, true);
    return pm;
}

} // namespace Artwork
