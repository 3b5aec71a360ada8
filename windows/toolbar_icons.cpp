#include "windows/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Every picture is drawn on a 16-unit square and scaled to the wanted size.
void DrawNew(QPainter& p) {
    QPainterPath page;
    page.moveTo(3, 1);
    page.lineTo(10, 1);
    page.lineTo(13.5, 4.5);
    page.lineTo(13.5, 15);
    page.lineTo(3, 15);
    page.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 70), 0.9));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(QColor(215, 215, 215));
    p.drawPolygon(QPolygonF({{10, 1}, {10, 4.5}, {13.5, 4.5}}));
}

void DrawOpen(QPainter& p) {
    p.setPen(QPen(QColor(120, 85, 10), 0.9));
    p.setBrush(QColor(235, 190, 70));
    p.drawPolygon(QPolygonF({{1, 3}, {5.5, 3}, {7, 4.5}, {13, 4.5}, {13, 13.5}, {1, 13.5}}));
    p.setBrush(QColor(250, 220, 120));
    p.drawPolygon(QPolygonF({{3.5, 7}, {15.5, 7}, {13, 13.5}, {1, 13.5}}));
}

void DrawSave(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 90), 0.9));
    p.setBrush(QColor(60, 100, 180));
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4, 9.5, 8, 5));
    p.setBrush(QColor(60, 100, 180));
    p.drawRect(QRectF(9.5, 2.5, 1.5, 3));
}

void DrawPrint(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 0.9));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(190, 190, 190));
    p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 10, 8, 4.5));
    p.setPen(QPen(QColor(120, 120, 120), 0.7));
    p.drawLine(QPointF(5.5, 12), QPointF(10.5, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 170, 60));
    p.drawEllipse(QPointF(12.5, 7.8), 0.8, 0.8);
}

// Nested closed contours, darker towards the maximum.
void DrawContour(QPainter& p) {
    const QColor bands[] = {QColor(120, 190, 255), QColor(60, 140, 230), QColor(20, 70, 170)};
    const QRectF rings[] = {QRectF(1, 2, 14, 12), QRectF(3.5, 4, 8.5, 8), QRectF(5.5, 6, 4, 4)};
    p.setPen(QPen(QColor(10, 30, 90), 0.8));
    for (int i = 0; i < 3; ++i) {
        p.setBrush(bands[i]);
        p.drawEllipse(rings[i]);
    }
}

// The marker of a maximum point: a pennant on a pole over a cross.
void DrawFlag(QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.drawLine(QPointF(4.5, 2), QPointF(4.5, 14));
    p.setPen(QPen(QColor(140, 0, 0), 0.8));
    p.setBrush(QColor(220, 30, 30));
    p.drawPolygon(QPolygonF({{5, 2}, {14, 4.75}, {5, 7.5}}));
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.drawLine(QPointF(2, 14), QPointF(7, 14));
}

// A square mesh over a circle: the counting grid.
void DrawMesh(QPainter& p) {
    p.setPen(QPen(QColor(70, 70, 70), 0.9));
    p.setBrush(QColor(255, 255, 235));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(40, 120, 40), 0.7));
    for (double v = 4; v <= 12; v += 2.67) {
        p.drawLine(QPointF(v, 1.5), QPointF(v, 14.5));
        p.drawLine(QPointF(1.5, v), QPointF(14.5, v));
    }
}

QString ThemeName(const QString& key) {
    if (key == QLatin1String("new"))
        return QStringLiteral("document-new");
    if (key == QLatin1String("open"))
        return QStringLiteral("document-open");
    if (key == QLatin1String("save"))
        return QStringLiteral("document-save");
    if (key == QLatin1String("print"))
        return QStringLiteral("document-print");
    return QString();
}

} // namespace

namespace ToolbarIcons {

QPixmap Drawn(const QString& key, int size) {
    using Painter = void (*)(QPainter&);
    Painter draw = nullptr;
    if (key == QLatin1String("new"))
        draw = DrawNew;
    else if (key == QLatin1String("open"))
        draw = DrawOpen;
    else if (key == QLatin1String("save"))
        draw = DrawSave;
    else if (key == QLatin1String("print"))
        draw = DrawPrint;
    else if (key == QLatin1String("contour"))
        draw = DrawContour;
    else if (key == QLatin1String("flag"))
        draw = DrawFlag;
    else if (key == QLatin1String("mesh"))
        draw = DrawMesh;
    if (!draw)
        return QPixmap();
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p);
    return pixmap;
}

QIcon Icon(const QString& key) {
    QIcon drawn;
    for (int size : {16, 20, 24, 32, 48})
        drawn.addPixmap(Drawn(key, size));
    const QString theme = ThemeName(key);
    return theme.isEmpty() ? drawn : QIcon::fromTheme(theme, drawn);
}

} // namespace ToolbarIcons
