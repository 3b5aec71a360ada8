// Pixel checks and printed-page helpers shared by the drawing tests.
#pragma once

#include "diagrams/printer_surface.h"

#include <QColor>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPointF>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QString>
#include <algorithm>
#include <cmath>

namespace pixels {

inline bool IsDark(const QImage& image, int x, int y) {
    if (!image.valid(x, y))
        return false;
    return qGray(image.pixel(x, y)) < 128;
}

// Any dark pixel within `tolerance` pixels of p.
inline bool DarkNear(const QImage& image, QPointF p, int tolerance = 1) {
    const int cx = int(std::floor(p.x()));
    const int cy = int(std::floor(p.y()));
    for (int dy = -tolerance; dy <= tolerance; ++dy)
        for (int dx = -tolerance; dx <= tolerance; ++dx)
            if (IsDark(image, cx + dx, cy + dy))
                return true;
    return false;
}

inline int DarkCount(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += IsDark(image, x, y) ? 1 : 0;
    return n;
}

// Number of dark runs met walking down column x from y0 to y1.
inline int DarkRunsDown(const QImage& image, int x, int y0, int y1) {
    int runs = 0;
    bool inRun = false;
    for (int y = y0; y <= y1; ++y) {
        const bool dark = IsDark(image, x, y);
        if (dark && !inRun)
            ++runs;
        inRun = dark;
    }
    return runs;
}

// Bounding box of the dark pixels inside area.
inline QRect DarkBounds(const QImage& image, QRect area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsDark(image, x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Whether every pixel of a lies, channel by channel, within the colours of the pixels at most
// `reach` pixels away in b (give or take tolerance): the same picture, its edges allowed to
// fall that far apart and to be blended otherwise.
inline bool AlikeWithin(const QImage& a, const QImage& b, int reach, int tolerance) {
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            int low[3] = {255, 255, 255};
            int high[3] = {0, 0, 0};
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    if (!b.valid(x + dx, y + dy))
                        continue;
                    const QRgb q = b.pixel(x + dx, y + dy);
                    const int v[3] = {qRed(q), qGreen(q), qBlue(q)};
                    for (int i = 0; i < 3; ++i) {
                        low[i] = std::min(low[i], v[i]);
                        high[i] = std::max(high[i], v[i]);
                    }
                }
            const QRgb p = a.pixel(x, y);
            const int v[3] = {qRed(p), qGreen(p), qBlue(p)};
            for (int i = 0; i < 3; ++i)
                if (v[i] < low[i] - tolerance || v[i] > high[i] + tolerance)
                    return false;
        }
    return true;
}

// An A4 portrait PDF printer with 5 mm margins: a printable area of 200 × 287 mm.
inline void PrintToPdf(PrinterSurface& printer, const QString& path) {
    printer.Printer().setOutputFormat(QPrinter::PdfFormat);
    printer.Printer().setOutputFileName(path);
    printer.Printer().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
}

// Page `page` of a PDF rendered at `dpi`; a null image when pdftoppm is missing.
inline QImage RenderPdf(const QString& pdf, int dpi, int page = 1) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return {};
    const QString prefix = pdf + QStringLiteral(".page");
    QProcess::execute(
        tool, QStringLiteral("-r %1 -f %2 -l %2 -png -singlefile").arg(dpi).arg(page).split(u' ')
                  << pdf << prefix);
    return QImage(prefix + QStringLiteral(".png"));
}

} // namespace pixels
