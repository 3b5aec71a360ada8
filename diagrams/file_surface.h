// A drawing surface that becomes a file: PDF (pages by NewPage), SVG or a raster image (PNG,
// BMP, JPEG by the file suffix). Used for export and by tests; the file is written by EndDoc
// (or when the surface ends without one).
#pragma once

#include "diagrams/drawing_surface.h"

#include <QImage>
#include <QString>
#include <memory>

class QPagedPaintDevice;
class QSvgGenerator;

class FileSurface : public DrawingSurface {
  public:
    enum class Format { Raster, Pdf, Svg };

    // A drawable area of `pixels` at `dotsPerInch`; the format follows the suffix of path.
    FileSurface(const QString& path, QSize pixels, double dotsPerInch = 96);
    ~FileSurface() override;

    Format FileFormat() const { return format_; }
    // False when a raster page too large for the memory left could not be made.
    bool PageAllocated() const { return format_ != Format::Raster || !image_.isNull(); }
    // PDF: ends the page and begins the next. Other formats have a single page.
    void NewPage() override;
    // Writes the file; false when it could not be written. Drawing after it starts afresh.
    bool EndDoc() override;

  protected:
    QPaintDevice* Device() override;
    const QPaintDevice* MetricsDevice() const override;
    QSizeF DeviceSize() const override { return size_; }
    bool VectorOutput() const override { return format_ != Format::Raster; }
    bool NamesInstalledFonts() const override { return format_ == Format::Svg; }
    bool BeginPainting(QPainter& painter) override;

  private:
    void Prepare();

    QString path_;
    QSize size_;
    Format format_;
    QImage image_;
    std::unique_ptr<QPagedPaintDevice> pdf_;
    std::unique_ptr<QSvgGenerator> svg_;
    bool pending_ = false;
    // The file could not be opened for this document; reported by EndDoc.
    bool failed_ = false;
};
