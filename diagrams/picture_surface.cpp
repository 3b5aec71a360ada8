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

// No screen shows more than this of a picture (an 8K screen has 7680 × 4320 pixels); a window
// stretched beyond it (a stored size far too large) gets a picture this large at its top-left
// rather than one that cannot be allocated and shows nothing.
constexpr int kLargestSide = 8192;
constexpr qint64 kLargestArea = qint64(8192) * 4608;

QSize PictureSize(QSize pixels) {
    pixels = pixels.expandedTo(QSize(1, 1)).boundedTo(QSize(kLargestSide, kLargestSide));
    if (qint64(pixels.width()) * pixels.height() > kLargestArea)
        pixels.setHeight(int(kLargestArea / pixels.width()));
    return pixels;
}

QImage BlankImage(QSize pixels, double dpi, const QColor& background) {
    QImage image(PictureSize(pixels), QImage::Format_RGB32);
    if (image.isNull())
        return image;
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
    pixels = PictureSize(pixels);
    if (pixels == image_.size())
        return;
    EndPainting();
    QImage resized = BlankImage(pixels, DpiX(), ToQColor(BackColor()));
    // Out of memory: the picture keeps the size and drawing it has.
    if (resized.isNull())
        return;
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

bool PictureSurface::Restore(const QImage& drawing) {
    if (drawing.size() != image_.size() || drawing.format() != image_.format())
        return false;
    EndPainting();
    image_ = drawing;
    return true;
}

void PictureSurface::Refresh() {
    Flush();
    if (refresh_)
        refresh_();
}
