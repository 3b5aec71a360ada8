#include "diagrams/file_surface.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

FileSurface::FileSurface(const QString& path, QSize pixels, double dotsPerInch)
    : DrawingSurface(dotsPerInch, dotsPerInch), path_(path), size_(pixels.expandedTo(QSize(1, 1))) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    format_ = suffix == u"pdf" ? Format::Pdf : suffix == u"svg" ? Format::Svg : Format::Raster;
    Prepare();
}

FileSurface::~FileSurface() {
    if (pending_)
        EndDoc();
}

void FileSurface::Prepare() {
    const double dpi = DpiX();
    switch (format_) {
    case Format::Raster: {
        image_ = QImage(size_, QImage::Format_RGB32);
        const int dotsPerMeter = int(dpi / 0.0254 + 0.5);
        image_.setDotsPerMeterX(dotsPerMeter);
        image_.setDotsPerMeterY(dotsPerMeter);
        image_.fill(ToQColor(BackColor()));
        break;
    }
    case Format::Pdf: {
        auto writer = std::make_unique<QPdfWriter>(path_);
        writer->setResolution(int(dpi + 0.5));
        const QSizeF points(size_.width() * 72.0 / dpi, size_.height() * 72.0 / dpi);
        writer->setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer->setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf_ = std::move(writer);
        break;
    }
    case Format::Svg: {
        svg_ = std::make_unique<QSvgGenerator>();
        svg_->setFileName(path_);
        svg_->setSize(size_);
        svg_->setViewBox(QRect(QPoint(0, 0), size_));
        svg_->setResolution(int(dpi + 0.5));
        break;
    }
    }
}

QPaintDevice* FileSurface::Device() {
    pending_ = true;
    return const_cast<QPaintDevice*>(MetricsDevice());
}

const QPaintDevice* FileSurface::MetricsDevice() const {
    switch (format_) {
    case Format::Pdf:
        return pdf_.get();
    case Format::Svg:
        return svg_.get();
    default:
        return &image_;
    }
}

bool FileSurface::BeginPainting(QPainter& painter) {
    if (failed_)
        return false; // one attempt per document, not one per drawing call
    if (!DrawingSurface::BeginPainting(painter))
        failed_ = true;
    return !failed_;
}

void FileSurface::NewPage() {
    if (format_ == Format::Pdf && PainterActive())
        pdf_->newPage();
    SetCurrentX(0);
    SetCurrentY(0);
}

bool FileSurface::EndDoc() {
    pending_ = false;
    // A file that could not be opened is a failure even when an older one is in its place.
    bool ok = EndPainting() && !failed_;
    failed_ = false;
    if (format_ == Format::Raster)
        ok = image_.save(path_) && ok;
    else
        ok = ok && QFileInfo::exists(path_);
    Prepare(); // a later drawing starts a new file
    return ok;
}
