#include "diagrams/picture_surface.h"

#include "platform/desktop.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>

namespace {

double ScreenDpi() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 96.0;
    return 1440.0 / desktop::TwipsPerPixelX();
}

QImage BlankImage(QSize pixels, double dpi, const QColor& background) {
    QImage image(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    const int dotsPerMeter = int(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(background);
    return image;
}

} // namespace

PictureSurface::PictureSurface(QSize pixels, double dotsPerInch)
    : DrawingSurface(dotsPerInch > 0 ? dotsPerInch : ScreenDpi(),
                     dotsPerInch > 0 ? dotsPerInch : ScreenDpi()) {
    image_ = BlankImage(pixels, DpiX(), ToQColor(BackColor()));
}

PictureSurface::~PictureSurface() {
    EndPainting();
}

void PictureSurface::Resize(QSize pixels) {
    pixels = pixels.expandedTo(QSize(1, 1));
    if (pixels == image_.size())
        return;
    EndPainting();
    QImage resized = BlankImage(pixels, DpiX(), ToQColor(BackColor()));
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = std::move(resized);
}

const QImage& PictureSurface::Image() {
    Flush();
    return image_;
}

void PictureSurface::Flush() {
    EndPainting();
}

void PictureSurface::Refresh() {
    Flush();
    if (refresh_)
        refresh_();
}
